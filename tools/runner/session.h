// What a running script shares with its directives.
#pragma once
#include <ostream>
#include <string>

namespace runner {

struct Session {
  std::string script_dir = ".";  // input files are found relative to the script
  std::string output_dir = ".";  // output files are written here
  std::ostream* out = nullptr;   // results and printed lines
  int line = 0;                  // the line running, from 1
  int loop_line = 0;             // the "loop" directive's line; 0 when there is none
  int loop_passes = 0;           // how often the lines after it run; 0: endless
};

Session& session();

std::string input_path(const std::string& name);
std::string output_path(const std::string& name);  // makes the folders it needs

}  // namespace runner
