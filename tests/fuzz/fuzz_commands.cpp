// libFuzzer harness: every input is a scene and a short sequence of command
// calls (decoded as tests/fuzz/decode.h describes), against the plug-in
// linked in, with AddressSanitizer and UBSan.
#include <cstdlib>

#include "decode.h"

namespace {

using Runner = void (*)(fuzz::Bytes&);
const Runner runners[] = {
#define EC_COMMAND(id, function, row) \
  [](fuzz::Bytes& in) { fuzz::Call<decltype(::function)>::run(&::function, #function, in); },
#include "../../plugin/command_list.inc"
#undef EC_COMMAND
};

// Host modules and the plug-in's binding, fresh for this input.
void set_up_host(fuzz::Bytes& in) {
  hostsim::reset();
  hostsim::set_screen_size(160, 120);
  fuzz::HostChoice choice = fuzz::choose_host(in);
  static std::vector<std::string> loaded = {"none yet"};
  std::vector<std::string> wanted = choice.options.skip_modules;
  wanted.insert(wanted.end(), choice.options.strip_exports.begin(), choice.options.strip_exports.end());
  if (wanted != loaded) hostsim::load_modules(choice.options), loaded = wanted;
  host::bound = false;  // bind again against this input's modules
  ReceiveCoreDataPtr(choice.hand_over_record ? hostsim::core_record() : nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/ec-fuzz-XXXXXX";
  if (mkdtemp(folder)) fuzz::sound_file = std::string(folder) + "/fuzz-sound.wav";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Bytes in(data, size);
  set_up_host(in);
  fuzz::set_up_scene(in);
  for (int calls = 0; calls < fuzz::max_calls && !in.empty(); ++calls) runners[in.byte() % command_count](in);
  return 0;
}
