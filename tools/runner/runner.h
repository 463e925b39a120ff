// The runner: plays the host's part for a script of commands.
#pragma once
#include <functional>
#include <ostream>
#include <string>

namespace runner {

struct Options {
  std::string output_dir = ".";
  bool trace = false;  // show the host calls each line makes
  // Called after each line that ran (the playground shows new frames there);
  // a ScriptError thrown from it stops the script at that line.
  std::function<void()> after_line;
  // A "loop" without a count repeats until after_line stops it (the
  // playground); otherwise its lines run once.
  bool endless_loops = false;
  // Called once the fresh host's modules are loaded, before the plug-in
  // binds to them (the playground puts its presenting Sync in place).
  std::function<void()> host_started;
};

// Runs a script file from a fresh host, in the output folder (made when
// missing), so that files the host writes land there too; input files are
// found relative to the script.  Results and printed lines go to
// `out`; the first fault stops the script with "file:line: message" on `err`.
// Returns 0 when the whole script ran, 1 otherwise.
// `name` is the file name shown in messages (the path when empty).
int run_file(const std::string& path, const Options& options, std::ostream& out, std::ostream& err,
             const std::string& name = "");

// The same for a script held in memory; `name` is the file name in messages,
// `script_dir` where its input files are found.
int run_source(const std::string& source, const std::string& name, const std::string& script_dir,
               const Options& options, std::ostream& out, std::ostream& err);

// Everything a script can call, one per line: name, kind, argument and
// result types.
void write_callees(std::ostream& out);

// The command reference in Markdown.
void write_reference(std::ostream& out);

// Names of commands that lack a description, in table order.
std::string missing_descriptions();

}  // namespace runner
