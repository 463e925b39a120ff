// SAVESOUND checked by an outside tool: sounds made by sox are loaded,
// saved, and the saved files read back by soxi and sox.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../hostsim/sound_state.h"
#include "plugin.h"

namespace {

namespace fs = std::filesystem;

// The build directory's scratch folder, beside the test program.
fs::path scratch() {
  fs::path dir = fs::canonical("/proc/self/exe").parent_path() / "temp";
  fs::create_directories(dir);
  return dir;
}

bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

std::string output_of(const std::string& command) {
  std::string text;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  return text;
}

std::string bytes_of(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Format {
  int rate, channels, bits;
};

class SoxRoundTrip : public plugin::HostTest, public ::testing::WithParamInterface<Format> {
 protected:
  void SetUp() override {
    if (!run("sox --version > /dev/null")) GTEST_SKIP() << "sox is not installed";
    HostTest::SetUp();
  }
};

TEST_P(SoxRoundTrip, SavedFileMatchesTheOriginal) {
  const Format f = GetParam();
  std::string stem = "sox_" + std::to_string(f.rate) + "_" + std::to_string(f.channels) + "_" + std::to_string(f.bits);
  fs::path original = scratch() / (stem + "_in.wav");
  fs::path saved = scratch() / (stem + "_saved.wav");
  ASSERT_TRUE(run("sox -n -r " + std::to_string(f.rate) + " -c " + std::to_string(f.channels) + " -b " +
                  std::to_string(f.bits) + " '" + original.string() +
                  "' synth 0.3 sine 300-900 sine 440 remix - fade 0.05 0.3 0.05 norm -3 channels " +
                  std::to_string(f.channels)));
  ASSERT_TRUE(hostsim::load_sound(1, original.string()));
  std::string name = saved.string();
  cmd::savesound(1, name.data());

  for (const char* query : {"-c", "-r", "-b", "-s", "-e"}) {
    std::string expected = output_of("soxi " + std::string(query) + " '" + original.string() + "'");
    std::string actual = output_of("soxi " + std::string(query) + " '" + saved.string() + "'");
    EXPECT_FALSE(expected.empty()) << query;
    EXPECT_EQ(actual, expected) << query;
  }
  // The sample bytes, as sox decodes them from each file.
  fs::path original_raw = scratch() / (stem + "_in.raw"), saved_raw = scratch() / (stem + "_saved.raw");
  ASSERT_TRUE(run("sox '" + original.string() + "' -t raw '" + original_raw.string() + "'"));
  ASSERT_TRUE(run("sox '" + saved.string() + "' -t raw '" + saved_raw.string() + "'"));
  std::string samples = bytes_of(original_raw);
  EXPECT_GT(samples.size(), 1000u);
  EXPECT_TRUE(bytes_of(saved_raw) == samples);
  // And as this file holds them after its 44-byte header.
  EXPECT_TRUE(bytes_of(saved).substr(44) == samples);
}

INSTANTIATE_TEST_SUITE_P(Formats, SoxRoundTrip,
                         ::testing::Values(Format{22050, 2, 16}, Format{8000, 1, 8}, Format{44100, 1, 24},
                                           Format{48000, 4, 16}, Format{11025, 2, 32}),
                         [](const auto& info) {
                           return std::to_string(info.param.rate) + "Hz_" + std::to_string(info.param.channels) +
                                  "ch_" + std::to_string(info.param.bits) + "bit";
                         });

}  // namespace
