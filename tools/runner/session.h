// What a running script shares with its directives.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "../../hostsim/missing.h"
#include "pictures.h"

namespace runner {

struct Session {
  std::string script_dir = ".";  // input files are found relative to the script
  std::string output_dir = ".";  // output files are written here
  std::ostream* out = nullptr;   // results and printed lines
  PictureSettings pictures;
  int line = 0;                                // the line running, from 1
  int loop_line = 0;                           // the "loop" directive's line; 0 when there is none
  int loop_passes = 0;                         // how often the lines after it run; 0: endless
  bool strict = false;                         // a missing resource stops the script
  std::vector<hostsim::Missing> missing = {};  // met by the line running
};

Session& session();

// An input file: relative to the script, or else among the files the script
// has written to the output folder.
std::string input_path(const std::string& name);
std::string output_path(const std::string& name);  // makes the folders it needs

}  // namespace runner
