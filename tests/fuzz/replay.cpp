// Replays the fuzz seed corpus against the library the tests load (on
// Windows the DLL by its path, the 32-bit one being the shipped file): every
// input is decoded as the fuzz harness decodes it, and its commands are
// called through the library's exports, with the host modules it chooses.
// No input may crash or hang.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../plugin.h"
#include "decode.h"

namespace {

using Runner = void (*)(fuzz::Bytes&);
const Runner runners[] = {
#define EC_COMMAND(id, function, row) \
  [](fuzz::Bytes& in) { fuzz::Call<decltype(::function)>::run(cmd::function, #function, in); },
#include "../../plugin/command_list.inc"
#undef EC_COMMAND
};

void replay(const std::vector<std::uint8_t>& input) {
  fuzz::Bytes in(input.data(), input.size());
  hostsim::reset();
  hostsim::set_screen_size(160, 120);
  fuzz::HostChoice choice = fuzz::choose_host(in);
  ASSERT_TRUE(hostsim::load_modules(choice.options));
  plugin::load_fresh();  // bind again against this input's modules
  cmd::ReceiveCoreDataPtr(choice.hand_over_record ? hostsim::core_record() : nullptr);
  fuzz::set_up_scene(in);
  for (int calls = 0; calls < fuzz::max_calls && !in.empty(); ++calls) runners[in.byte() % command_count](in);
}

TEST(FuzzCorpus, EveryInputRunsToTheEnd) {
  namespace fs = std::filesystem;
  fuzz::sound_file = (fs::temp_directory_path() / "ec-replay-sound.wav").string();
  std::vector<fs::path> inputs;
  for (const auto& entry : fs::directory_iterator(EC_SOURCE_DIR "/tests/fuzz/corpus")) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  ASSERT_GT(inputs.size(), 100u);
  for (const fs::path& path : inputs) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(file), {}};
    SCOPED_TRACE(path.filename().string());
    replay(input);
    if (HasFatalFailure()) return;
  }
  std::printf("replayed %zu inputs\n", inputs.size());
}

}  // namespace
