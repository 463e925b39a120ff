// ec_runner: tries the plug-in's commands without the host.
//
//   ec_runner [--out DIR] [--trace] SCRIPT...   runs each script from a fresh host
//   ec_runner --list                            lists everything a script can call
//   ec_runner --reference                       prints the command reference
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "runner.h"

namespace {

int usage() {
  std::cerr << "usage: ec_runner [--out DIR] [--trace] SCRIPT...\n"
               "       ec_runner --list | --reference\n"
               "Runs scripts of commands against the stand-in host; see examples/.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  runner::Options options;
  std::vector<std::string> scripts;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--reference") {
      runner::write_reference(std::cout);
      return 0;
    } else if (argument == "--list") {
      runner::write_callees(std::cout);
      return 0;
    } else if (argument == "--out" && i + 1 < argc) {
      options.output_dir = argv[++i];
    } else if (argument == "--trace") {
      options.trace = true;
    } else if (argument.rfind("--", 0) == 0) {
      return usage();
    } else {
      scripts.push_back(argument);
    }
  }
  if (scripts.empty()) return usage();
  // Each script runs inside the output folder: fix the paths before the first.
  namespace fs = std::filesystem;
  options.output_dir = fs::absolute(options.output_dir).string();
  for (const std::string& script : scripts) {
    std::string path = fs::absolute(script).lexically_normal().string();
    if (runner::run_file(path, options, std::cout, std::cerr, script) != 0) return 1;
  }
  return 0;
}
