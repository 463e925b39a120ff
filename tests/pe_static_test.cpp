// Static checks of the shipped 32-bit DLL: its command table, exports and
// imports, read from the built file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "../plugin/decoration.h"
#include "pe_reader.h"

namespace {

class ShippedDll : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(read_pe(EC_WIN32_DLL, pe)) << "build the win32 preset first"; }
  PeFile pe;
};

struct Row {
  int id;
  const char* text;
};

const Row rows[] = {
#define EC_COMMAND(id, function, row) {id, row},
#include "../plugin/command_list.inc"
#undef EC_COMMAND
};

std::string lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

TEST_F(ShippedDll, IsA32BitImage) { EXPECT_EQ(pe.machine, 0x14C); }

TEST_F(ShippedDll, TheCommandTableHoldsTheSixtySixRows) {
  ASSERT_EQ(pe.strings.size(), 66u);
  for (const Row& row : rows) {
    EXPECT_EQ(pe.strings[row.id], row.text) << row.id;
    EXPECT_EQ(pe.string_languages[row.id], 1033) << row.id;
  }
  EXPECT_EQ(pe.strings.begin()->first, 101);
  EXPECT_EQ(pe.strings.rbegin()->first, 166);
}

TEST_F(ShippedDll, ExportsTheProtocolAndEveryCommandByDecoratedName) {
  std::vector<std::string> expected = {
#define EC_PROTOCOL(function, decorated) decorated,
#include "../plugin/protocol_list.inc"
#undef EC_PROTOCOL
  };
  for (const Row& row : rows) expected.emplace_back(decoration::parse_row(row.text).decorated);
  std::sort(expected.begin(), expected.end());
  std::vector<std::string> actual = pe.exports;
  std::sort(actual.begin(), actual.end());
  EXPECT_EQ(actual, expected);
}

TEST_F(ShippedDll, ImportsOnlySystemLibraries) {
  for (const std::string& dll : pe.imports) {
    std::string name = lower(dll);
    EXPECT_TRUE(name == "kernel32.dll" || name == "user32.dll" || name == "msvcrt.dll" ||
                name.rfind("api-ms-win-", 0) == 0)
        << dll;
  }
  EXPECT_FALSE(pe.imports.empty());
}
