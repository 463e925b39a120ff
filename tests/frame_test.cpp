// The plug-in protocol, the core data record and the text commands.
#include <cstring>

#include "plugin.h"

using plugin::HostTest;
using plugin::text;

TEST(Protocol, DeclaresTwelveDependenciesWithTheHostPrefix) {
  // The host's own file names, in the order the host asks for them.
  const char* const names[] = {"Basic2DDebug.dll", "TextDebug.dll",  "SystemDebug.dll", "MemblocksDebug.dll",
                               "Basic3DDebug.dll", "Core.dll",       "InputDebug.dll",  "MatrixDebug.dll",
                               "CameraDebug.dll",  "SoundDebug.dll", "FileDebug.dll",   "ImageDebug.dll"};
  EXPECT_EQ(cmd::GetNumDependencies(), 12);
  for (int i = 0; i < 12; ++i)
    EXPECT_STREQ(cmd::GetDependencyID(i), (EC_HOST_PREFIX + std::string(names[i])).c_str()) << i;
  EXPECT_EQ(cmd::GetDependencyID(-1), nullptr);
  EXPECT_EQ(cmd::GetDependencyID(12), nullptr);
}

class TextCommands : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    hand_over_record();
  }
  std::string extension(const char* name) { return text(cmd::getfileextension(nullptr, const_cast<char*>(name))); }
  std::string short_name(const char* name) { return text(cmd::getshortfilename(nullptr, const_cast<char*>(name))); }
};

TEST_F(TextCommands, FileExtensionKeepsTheDot) {
  EXPECT_EQ(extension("notes.txt"), ".txt");
  EXPECT_EQ(extension("readme"), "");
  EXPECT_EQ(extension("name."), ".");
  EXPECT_EQ(extension(".profile"), ".profile");
  EXPECT_EQ(extension("a.b.c"), ".c");
  EXPECT_EQ(extension("archive.tar.gz"), ".gz");
  EXPECT_EQ(extension(nullptr), "");
}

TEST_F(TextCommands, ShortFilenameIsTheTextAfterTheLastDot) {
  EXPECT_EQ(short_name("notes.txt"), "txt");
  EXPECT_EQ(short_name("a.b.c"), "c");
  EXPECT_EQ(short_name("readme"), "readme");
  EXPECT_EQ(short_name(".profile"), ".profile");
  EXPECT_EQ(short_name("name."), "");
  EXPECT_EQ(short_name("."), "");
  EXPECT_EQ(short_name(""), "");
  EXPECT_EQ(short_name(nullptr), "");
}

TEST_F(TextCommands, FileExtensionCallSequence) {
  extension("notes.txt");
  EXPECT_EQ(hostsim::log(),
            (Lines{"Core.StringAllocator(0)", "Text.FindLastChar(\"notes.txt\",\".\")", "Text.Len(\"notes.txt\")",
                   "Text.Right(0,\"notes.txt\",4)", "Core.StringAllocator(5)"}));
}

TEST_F(TextCommands, ShortFilenameScansFromTheEnd) {
  short_name("ab.c");
  EXPECT_EQ(hostsim::log(), (Lines{"Core.StringAllocator(0)", "Text.Len(\"ab.c\")", "Text.Mid(0,\"ab.c\",4)",
                                   "Text.Mid(0,\"ab.c\",3)", "Text.Right(0,\"ab.c\",1)", "Core.StringAllocator(2)"}));
  hostsim::clear_log();
  short_name("");  // nothing to scan
  EXPECT_EQ(hostsim::log(), (Lines{"Core.StringAllocator(0)", "Text.Len(\"\")", "Core.StringAllocator(1)"}));
}

TEST_F(TextCommands, TheTextPassedInIsGivenBack) {
  char* previous = nullptr;
  // A text the host made earlier is handed in as the first parameter.
  reinterpret_cast<void (*)(char**, int)> (*static_cast<void**>(hostsim::core_record()))(&previous, 8);
  ASSERT_EQ(hostsim::live_strings(), 1);
  hostsim::clear_log();
  KText result = cmd::getshortfilename(previous, const_cast<char*>("x.y"));
  EXPECT_EQ(hostsim::log_of("StringAllocator"), (Lines{"Core.StringAllocator(0)", "Core.StringAllocator(2)"}));
  EXPECT_EQ(hostsim::live_strings(), 1);  // the old text went back, the result is new
  EXPECT_EQ(text(result), "y");
}

// The stand-in's texts are not cleared, and one written past its end is
// counted: every host test checks the count as it ends.
TEST_F(HostTest, TextsWrittenPastTheirEndAreCounted) {
  auto allocate = reinterpret_cast<void (*)(char**, int)>(*static_cast<void**>(hostsim::core_record()));
  char* made = nullptr;
  allocate(&made, 4);
  EXPECT_NE(made[3], '\0');
  std::memcpy(made, "abcd", 5);  // the NUL one byte past the end
  allocate(&made, 0);
  EXPECT_EQ(hostsim::overrun_strings(), 1);
  hostsim::reset();
  EXPECT_EQ(hostsim::overrun_strings(), 0);
}

TEST_F(TextCommands, InksAreWrittenIntoTheRecord) {
  cmd::frontink(0x12345678u);
  cmd::backink(0xCAFEF00Du);
  EXPECT_EQ(hostsim::record_ink(true), 0x12345678u);
  EXPECT_EQ(hostsim::record_ink(false), 0xCAFEF00Du);
  EXPECT_TRUE(hostsim::log().empty());
}

TEST_F(HostTest, CommandsBeforeTheRecordIsHandedOverDoNothing) {
  cmd::frontink(5);
  EXPECT_EQ(hostsim::record_ink(true), 0u);
  EXPECT_EQ(cmd::getfileextension(nullptr, const_cast<char*>("a.b")), KText{});
  EXPECT_EQ(cmd::getshortfilename(nullptr, const_cast<char*>("a.b")), KText{});
}

TEST_F(HostTest, ALaterRecordReplacesTheFirst) {
  unsigned char other[800] = {};
  cmd::ReceiveCoreDataPtr(other);
  hand_over_record();
  cmd::frontink(7);
  EXPECT_EQ(hostsim::record_ink(true), 7u);
  EXPECT_EQ(other[788], 0);
}

TEST(Binding, AModuleThatIsNotLoadedMakesItsCallsDoNothing) {
  hostsim::reset();
  ASSERT_TRUE(hostsim::load_modules({{EC_HOST_PREFIX "TextDebug.dll"}, {}}));
  cmd::ReceiveCoreDataPtr(hostsim::core_record());
  // FindLastChar yields 0 (no dot found), so the result is the empty text.
  EXPECT_EQ(text(cmd::getfileextension(nullptr, const_cast<char*>("a.b"))), "");
  EXPECT_EQ(hostsim::log(), (Lines{"Core.StringAllocator(0)", "Core.StringAllocator(1)"}));
}

TEST(Binding, AStrippedExportMakesOnlyItsCallDoNothingUntilLoadedAgain) {
  auto extension_of_a_bc = [](const hostsim::LoadOptions& options) {
    plugin::load_fresh();
    hostsim::reset();
    EXPECT_TRUE(hostsim::load_modules(options));
    cmd::ReceiveCoreDataPtr(hostsim::core_record());
    return text(cmd::getfileextension(nullptr, const_cast<char*>("a.bc")));
  };
  // Len yields 0, so Right is asked for 0 - 2 + 1 characters.
  EXPECT_EQ(extension_of_a_bc({{}, {"?Len@@YAHK@Z"}}), "");
  EXPECT_EQ(hostsim::log(), (Lines{"Core.StringAllocator(0)", "Text.FindLastChar(\"a.bc\",\".\")",
                                   "Text.Right(0,\"a.bc\",-1)", "Core.StringAllocator(1)"}));
  EXPECT_EQ(extension_of_a_bc({}), ".bc");
  EXPECT_EQ(hostsim::log(), (Lines{"Core.StringAllocator(0)", "Text.FindLastChar(\"a.bc\",\".\")", "Text.Len(\"a.bc\")",
                                   "Text.Right(0,\"a.bc\",3)", "Core.StringAllocator(4)"}));
}
