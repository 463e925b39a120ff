// SAVESOUND and END SOUND.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../hostsim/file_state.h"
#include "../hostsim/memblocks_state.h"
#include "../hostsim/sound_state.h"
#include "plugin.h"

using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr int sound = 3;

class SaveSound : public plugin::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path = (std::filesystem::temp_directory_path() / ("ec_savesound_" + name + ".wav")).string();
  }
  void TearDown() override {
    std::filesystem::remove(path);
    HostTest::TearDown();
  }

  hostsim::Sound& stereo(Bytes samples) {
    hostsim::Sound& s = hostsim::sound_state.sounds[sound];
    s.channels = 2, s.samples_per_second = 44100, s.bytes_per_second = 176400;
    s.block_align = 4, s.bits_per_sample = 16, s.samples = std::move(samples);
    return s;
  }
  void save(int number) { cmd::savesound(number, path.data()); }
  Bytes file() {
    std::ifstream in(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static std::uint32_t at32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
  }
  static unsigned at16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
  // The header's numbers: RIFF length, format tag, channels, rate, bytes per
  // second, block alignment, bits, data length.
  static std::vector<unsigned> numbers(const Bytes& b) {
    return {at32(b, 4), at16(b, 20), at16(b, 22), at32(b, 24), at32(b, 28), at16(b, 32), at16(b, 34), at32(b, 40)};
  }
  static std::string tag(const Bytes& b, std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

  std::string path;
};

TEST_F(SaveSound, WritesAWaveFileOfTheSound) {
  Bytes samples{1, 2, 3, 4, 5, 6, 7, 250};
  stereo(samples);
  save(sound);
  Bytes wav = file();
  ASSERT_EQ(wav.size(), 44u + 8u);
  EXPECT_EQ(tag(wav, 0), "RIFF");
  EXPECT_EQ(tag(wav, 8), "WAVE");
  EXPECT_EQ(tag(wav, 12), "fmt ");
  EXPECT_EQ(at32(wav, 16), 16u);
  EXPECT_EQ(tag(wav, 36), "data");
  // The RIFF length is the file's length less 8.
  EXPECT_EQ(numbers(wav), (std::vector<unsigned>{44, 1, 2, 44100, 176400, 4, 16, 8}));
  EXPECT_EQ(Bytes(wav.begin() + 44, wav.end()), samples);
  EXPECT_TRUE(hostsim::file_state.open.empty());
  EXPECT_TRUE(hostsim::storage.memblocks.empty());
}

TEST_F(SaveSound, WritesFieldByField) {
  stereo({0x7F, 0x80});
  save(sound);
  std::string name = "\"" + path + "\"";
  EXPECT_EQ(hostsim::log(), (Lines{"Memblocks.CreateMemblockFromSound(1000,3)",
                                   "File.OpenToWrite(1000," + name + ")",
                                   "File.WriteLong(1000,1179011410)",
                                   "Memblocks.GetMemblockSize(1000)",
                                   "File.WriteLong(1000,38)",
                                   "File.WriteLong(1000,1163280727)",
                                   "File.WriteLong(1000,544501094)",
                                   "File.WriteLong(1000,16)",
                                   "Memblocks.ReadMemblockDWord(1000,0)",
                                   "File.WriteWord(1000,1)",
                                   "Memblocks.ReadMemblockDWord(1000,4)",
                                   "File.WriteWord(1000,2)",
                                   "Memblocks.ReadMemblockDWord(1000,8)",
                                   "File.WriteLong(1000,44100)",
                                   "Memblocks.ReadMemblockDWord(1000,12)",
                                   "File.WriteLong(1000,176400)",
                                   "Memblocks.ReadMemblockDWord(1000,16)",
                                   "File.WriteWord(1000,4)",
                                   "Memblocks.ReadMemblockDWord(1000,20)",
                                   "File.WriteWord(1000,16)",
                                   "Memblocks.GetMemblockSize(1000)",
                                   "File.WriteLong(1000,1635017060)",
                                   "File.WriteLong(1000,2)",
                                   "Memblocks.ReadMemblockByte(1000,28)",
                                   "File.WriteByte(1000,127)",
                                   "Memblocks.ReadMemblockByte(1000,29)",
                                   "File.WriteByte(1000,128)",
                                   "File.CloseFile(1000)",
                                   "Memblocks.DeleteMemblock(1000)"}));
}

// A word field takes the low half of the memblock's 32-bit value, in 2 bytes.
TEST_F(SaveSound, WordFieldsAreTwoBytes) {
  stereo({}).format_tag = 0x00010001;
  save(sound);
  Bytes wav = file();
  EXPECT_EQ(hostsim::log_of("WriteWord")[0], "File.WriteWord(1000,65537)");
  EXPECT_EQ(wav[20], 1);
  EXPECT_EQ(wav[21], 0);
  EXPECT_EQ(at16(wav, 22), 2u);  // the channel count follows at once
}

TEST_F(SaveSound, ASoundWithoutSamplesGivesAHeaderOnly) {
  stereo({});
  save(sound);
  Bytes wav = file();
  ASSERT_EQ(wav.size(), 44u);
  EXPECT_EQ(at32(wav, 4), 36u);
  EXPECT_EQ(at32(wav, 40), 0u);
  EXPECT_TRUE(hostsim::log_of("ReadMemblockByte").empty());
}

// A memblock too short for the sound header (here the empty one of a sound
// that does not exist) gives a well-formed file with no samples: the fields
// the block does not hold are 0 and nothing is read outside it.
TEST_F(SaveSound, AMemblockShorterThanItsHeaderGivesNoSamples) {
  save(99);
  Bytes wav = file();
  ASSERT_EQ(wav.size(), 44u);
  EXPECT_EQ(tag(wav, 0), "RIFF");
  EXPECT_EQ(tag(wav, 36), "data");
  EXPECT_EQ(numbers(wav), (std::vector<unsigned>{36, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(hostsim::storage.refused, 0);
  EXPECT_TRUE(hostsim::log_of("ReadMemblockDWord").empty());
  EXPECT_EQ(hostsim::log_of("CloseFile"), Lines{"File.CloseFile(1000)"});
  EXPECT_EQ(hostsim::log().back(), "Memblocks.DeleteMemblock(1000)");
  EXPECT_TRUE(hostsim::file_state.open.empty());
  EXPECT_TRUE(hostsim::storage.memblocks.empty());
}

// The fields that a short block holds are still copied; the rate field ends
// at byte 12, so a block of 12 bytes holds it and one of 11 does not.
TEST_F(SaveSound, AShortMemblockKeepsTheFieldsItHolds) {
  const std::pair<int, unsigned> cases[] = {{12, 44100}, {11, 0}};
  for (auto [limit, rate] : cases) {
    hostsim::clear_log();
    stereo({1, 2, 3}).memblock_limit = limit;
    save(sound);
    Bytes wav = file();
    ASSERT_EQ(wav.size(), 44u) << limit;
    EXPECT_EQ(numbers(wav), (std::vector<unsigned>{36, 1, 2, rate, 0, 0, 0, 0})) << limit;
    EXPECT_EQ(hostsim::log_of("ReadMemblockDWord").size(), rate ? 3u : 2u) << limit;
    EXPECT_EQ(hostsim::storage.refused, 0) << limit;
  }
}

TEST_F(SaveSound, TheSampleCountFieldNeverReachesTheFile) {
  stereo({9, 9, 9, 9});
  save(sound);
  for (const std::string& line : hostsim::log_of("ReadMemblockDWord"))
    EXPECT_NE(line, "Memblocks.ReadMemblockDWord(1000,24)");
}

TEST_F(SaveSound, ALoadedWaveFileComesBackTheSame) {
  stereo({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120});
  save(sound);
  Bytes first = file();
  ASSERT_TRUE(hostsim::load_sound(4, path));
  save(4);
  EXPECT_EQ(file(), first);
}

class EndSound : public plugin::HostTest {};

TEST_F(EndSound, StopsOnlyASoundThatIsNotPlaying) {
  hostsim::sound_state.sounds[2].playing = true;
  cmd::endsound(2);
  EXPECT_EQ(hostsim::log(), Lines{"Sound.GetSoundPlaying(2)"});
  EXPECT_TRUE(hostsim::sound_state.sounds[2].playing);
  hostsim::clear_log();
  hostsim::sound_state.sounds[2].playing = false;
  cmd::endsound(2);
  EXPECT_EQ(hostsim::log(), (Lines{"Sound.GetSoundPlaying(2)", "Sound.StopSound(2)"}));
}

}  // namespace
