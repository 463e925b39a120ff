// The version resource of the shipped 32-bit DLL, read from the built file and
// compared with the build's version and description and with LICENSE.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "pe_reader.h"

namespace {

class ShippedDllVersion : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(read_pe(EC_WIN32_DLL, pe)) << "build the win32 preset first"; }
  PeFile pe;
};

// The first line of LICENSE, which names the copyright holder.
std::string license_copyright() {
  std::ifstream file(std::string(EC_SOURCE_DIR) + "/LICENSE");
  std::string line;
  std::getline(file, line);
  return line;
}

}  // namespace

TEST_F(ShippedDllVersion, TheFixedPartCarriesTheBuildsVersion) {
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(EC_VERSION, "%u.%u.%u", &major, &minor, &patch), 3) << EC_VERSION;
  ASSERT_EQ(pe.version.count, 1);
  EXPECT_EQ(pe.version.language, 1033);
  EXPECT_EQ(pe.version.signature, 0xFEEF04BDu);
  EXPECT_EQ(pe.version.file_ms, major << 16 | minor);
  EXPECT_EQ(pe.version.file_ls, patch << 16);
  EXPECT_EQ(pe.version.product_ms, major << 16 | minor);
  EXPECT_EQ(pe.version.product_ls, patch << 16);
}

TEST_F(ShippedDllVersion, TheStringsNameTheProductItsVersionAndItsLicenceHolder) {
  ASSERT_EQ(license_copyright().rfind("Copyright (c) ", 0), 0u) << license_copyright();
  std::map<std::string, std::string> expected = {
      {"FileDescription", EC_DESCRIPTION},     {"FileVersion", EC_VERSION},
      {"LegalCopyright", license_copyright()}, {"OriginalFilename", "ExtraCommands.dll"},
      {"ProductName", "ExtraCommands"},        {"ProductVersion", EC_VERSION}};
  EXPECT_EQ(pe.version.strings, expected);
  // English (United States) in UTF-16, declared both ways Windows looks it up.
  EXPECT_EQ(pe.version.tables, std::vector<std::string>{"040904B0"});
  EXPECT_EQ(pe.version.translations, std::vector<std::uint32_t>{0x04B00409});
}
