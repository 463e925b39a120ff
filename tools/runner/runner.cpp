#include "runner.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "../../hostsim/core_state.h"
#include "../../hostsim/hostsim.h"
#include "../../plugin/exports.h"
#include "callees.h"
#include "session.h"

namespace runner {
namespace {

namespace fs = std::filesystem;

using Variables = std::map<std::string, Value>;

// A fresh host with every module loaded and the core record handed over,
// as the host does before the first command.
bool start_host() {
  hostsim::reset();
  if (!hostsim::load_modules()) return false;
  auto receive = reinterpret_cast<void (*)(void*)>(exports::find("?ReceiveCoreDataPtr@@YAXPAX@Z"));
  if (!receive) return false;
  receive(hostsim::core_record());
  return true;
}

std::string letters_as_types(const std::string& letters) {
  std::string list;
  for (char letter : letters) list += (list.empty() ? "" : ", ") + type_name(letter);
  return list;
}

std::string unknown_name(const std::string& name) {
  std::string message = "unknown command \"" + name + "\"";
  std::vector<std::string> nearest = nearest_names(name);
  for (std::size_t i = 0; i < nearest.size(); ++i)
    message += (i == 0 ? "; did you mean " : i + 1 == nearest.size() ? " or " : ", ") + quote(nearest[i]);
  return message + (nearest.empty() ? "" : "?");
}

// The overload of `name` that takes `count` arguments.
const Callee& choose(const std::string& name, std::size_t count) {
  std::vector<const Callee*> found = find_callees(name);
  std::string accepted;
  for (const Callee* callee : found) {
    bool variadic = callee->parameters == "*";
    if (variadic || callee->parameters.size() == count) return *callee;
    std::size_t wanted = callee->parameters.size();
    accepted += (accepted.empty() ? "" : " or ") + std::to_string(wanted) + (wanted == 1 ? " argument" : " arguments");
    if (wanted) accepted += " (" + letters_as_types(callee->parameters) + ")";
  }
  throw ScriptError(name + " takes " + accepted + ", " + std::to_string(count) + " given");
}

void substitute(std::vector<Argument>& arguments, const Variables& variables) {
  for (Argument& argument : arguments) {
    if (argument.quoted || argument.text.empty() || argument.text[0] != '$') continue;
    auto found = variables.find(argument.text.substr(1));
    if (found == variables.end()) throw ScriptError("unknown variable " + argument.text);
    argument = found->second.value;
  }
}

// At the script's end: whether the lines after "loop" run once more.
bool loops_again(const Options& options, std::size_t passes_done) {
  const Session& current = session();
  if (current.loop_line == 0) return false;
  if (current.loop_passes == 0) return options.endless_loops;
  return passes_done < static_cast<std::size_t>(current.loop_passes);
}

class Run {
 public:
  Run(const Options& options, std::ostream& out) : options_(options), out_(out) {}

  void line(const std::string& source) {
    Line parsed;
    if (!split_line(source, parsed)) return;
    std::size_t count = match_words(parsed.words);
    if (count == 0) throw ScriptError(unknown_name(join_words(parsed.words, parsed.words.size())));
    std::string name = join_words(parsed.words, count);
    // Words after the name (nan, inf) belong to the arguments.
    std::string rest = parsed.rest;
    for (std::size_t i = parsed.words.size(); i > count; --i) rest = parsed.words[i - 1] + " " + rest;
    std::vector<Argument> arguments = parse_arguments(rest);
    substitute(arguments, variables_);
    const Callee& callee = choose(name, arguments.size());
    if (!parsed.variable.empty() && !callee.result)
      throw ScriptError(name + " gives no result to store in $" + parsed.variable);
    std::size_t logged = hostsim::log().size(), printed = hostsim::core_state.printed.size();
    Value result;
    try {
      result = callee.run(arguments);
    } catch (const ScriptError& error) {
      throw ScriptError(name + ": " + error.what());
    }
    report(parsed, name, result, logged, printed);
  }

 private:
  void report(const Line& parsed, const std::string& name, const Value& result, std::size_t logged,
              std::size_t printed) {
    const std::vector<std::string>& log = hostsim::log();
    if (options_.trace)
      for (std::size_t i = logged; i < log.size(); ++i) out_ << "  | " << log[i] << '\n';
    const std::vector<std::string>& lines = hostsim::core_state.printed;
    for (std::size_t i = printed; i < lines.size(); ++i) out_ << "printed: " << lines[i] << '\n';
    if (!parsed.variable.empty()) {
      variables_[parsed.variable] = result;
      out_ << '$' << parsed.variable << " = " << to_string(result) << '\n';
    } else if (result.type) {
      out_ << name << " = " << to_string(result) << '\n';
    }
  }

  const Options& options_;
  std::ostream& out_;
  Variables variables_;
};

}  // namespace

int run_source(const std::string& source, const std::string& name, const std::string& script_dir,
               const Options& options, std::ostream& out, std::ostream& err) {
  // Host functions that write files (SAVESOUND) write into the output folder.
  std::error_code failed;
  fs::path output_dir = fs::absolute(options.output_dir, failed);
  if (!failed) fs::create_directories(output_dir, failed);
  if (!failed) fs::current_path(output_dir, failed);
  if (failed) {
    err << name << ": cannot use the output folder " << options.output_dir << ": " << failed.message() << '\n';
    return 1;
  }
  session() = Session{fs::absolute(script_dir).string(), output_dir.string(), &out};
  if (!start_host()) {
    err << name << ": the stand-in host could not be started\n";
    return 1;
  }
  Run run(options, out);
  std::vector<std::string> lines;
  std::istringstream stream(source);
  for (std::string text; std::getline(stream, text);) lines.push_back(text);
  for (std::size_t index = 0, pass = 1; index < lines.size(); ++index) {
    session().line = static_cast<int>(index) + 1;
    try {
      run.line(lines[index]);
      if (options.after_line) options.after_line();
    } catch (const ScriptError& error) {
      err << name << ':' << index + 1 << ": " << error.what() << '\n';
      return 1;
    }
    if (index + 1 == lines.size() && loops_again(options, pass++)) index = session().loop_line - 1;
  }
  return 0;
}

int run_file(const std::string& path, const Options& options, std::ostream& out, std::ostream& err,
             const std::string& name) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << (name.empty() ? path : name) << ": cannot read the script\n";
    return 1;
  }
  std::ostringstream source;
  source << file.rdbuf();
  std::string dir = fs::path(path).parent_path().string();
  return run_source(source.str(), name.empty() ? path : name, dir.empty() ? "." : dir, options, out, err);
}

}  // namespace runner
