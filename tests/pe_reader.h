// A small reader for the parts of a Windows PE file that the static checks
// look at: machine, exported names, imported DLLs, string-table resources and
// the version resource.
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
  // The version resource (type 16): how many there are, the language of the
  // last, its fixed file and product versions (major << 16 | minor, then
  // patch << 16 | build), its string values by key from the string tables,
  // the keys of those tables ("040904B0": language and code page) and the
  // translations it declares (language | code page << 16).
  struct Version {
    int count = 0, language = 0;
    std::uint32_t signature = 0, file_ms = 0, file_ls = 0, product_ms = 0, product_ls = 0;
    std::map<std::string, std::string> strings;
    std::vector<std::string> tables;
    std::vector<std::uint32_t> translations;
  } version;
};

// Returns false if the file cannot be read or is not a PE image.
bool read_pe(const std::string& path, PeFile& pe);
