// State of the stand-in file module: files open for writing, for tests to
// check.  Writes go to real files on disk.
#pragma once
#include <cstdio>
#include <map>
#include <string>

#include "hostsim.h"

namespace hostsim {

struct OpenFile {
  std::string path;
  std::FILE* stream = nullptr;
};

struct FileState {
  std::map<int, OpenFile> open;
  int refused = 0;  // opens that failed, writes to a file not open
};

HS_API extern FileState file_state;

}  // namespace hostsim
