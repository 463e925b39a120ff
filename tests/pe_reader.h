// A small reader for the parts of a Windows PE file that the static checks
// look at: machine, exported names, imported DLLs and string-table resources.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct PeFile {
  std::uint16_t machine = 0;
  std::vector<std::string> exports;
  std::vector<std::string> imports;  // DLL names
  // String-table rows by string id, with the language of their block.
  std::map<int, std::string> strings;
  std::map<int, int> string_languages;
};

// Returns false if the file cannot be read or is not a PE image.
bool read_pe(const std::string& path, PeFile& pe);
