// libFuzzer harness: every input is a scene and a short sequence of command
// calls.  The command comes from the command table; its arguments are decoded
// by its type letters from raw bytes (floats from their bit patterns, so NaN
// payloads and infinities occur; texts from bytes, null or long).  Some runs
// leave host modules unloaded or strip single exports.  Parameters that set
// how much work a command must do (radii, counts, segments, passes, sizes)
// are held to small ranges: long work a command is asked for is not a fault.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "../../hostsim/hostsim.h"
#include "../../hostsim/matrices.h"
#include "../../hostsim/objects.h"
#include "../../hostsim/screen.h"
#include "../../hostsim/sounds.h"
#include "../../hostsim/storage.h"
#include "../../plugin/commands.h"
#include "../../plugin/exports.h"
#include "../../plugin/host.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::uint8_t byte() { return empty() ? 0 : data_[at_++]; }
  std::uint32_t word() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t(byte()) << (8 * i);
    return value;
  }
  // A text: null, empty, a few bytes, or a long run.
  char* text(std::vector<std::string>& keep) {
    std::uint8_t length = byte();
    if (length == 0xFF) return nullptr;
    std::string text;
    if (length >= 0xF0) {
      text.assign(std::size_t(length - 0xEF) * 1000, char('A' + length % 26));
    } else {
      for (int i = 0; i < length % 24; ++i) text += char(byte());
    }
    keep.push_back(std::move(text));
    return keep.back().data();
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

// Held ranges for the work-setting parameters: (function, parameter index,
// low, high); the decorated name's hidden text parameter counts as index 0.
struct Bound {
  const void* function;
  int index;
  int low, high;
};

const Bound bounds[] = {
    {reinterpret_cast<const void*>(&filledcircle), 2, -40, 40},
    {reinterpret_cast<const void*>(&filledcircle), 3, -40, 40},
    {reinterpret_cast<const void*>(&drawdust), 3, -4, 64},
    {reinterpret_cast<const void*>(&drawgalaxy), 6, -4, 64},
    {reinterpret_cast<const void*>(&drawbutton), 0, -300, 300},
    {reinterpret_cast<const void*>(&drawbutton), 1, -300, 300},
    {reinterpret_cast<const void*>(&drawbutton), 2, -300, 300},
    {reinterpret_cast<const void*>(&drawbutton), 3, -300, 300},
    {reinterpret_cast<const void*>(&drawbutton), 4, -4, 12},
    {reinterpret_cast<const void*>(&drawbezier), 8, -4, 200},
    {reinterpret_cast<const void*>(&smooth_matrix), 1, -4, 12},
    {reinterpret_cast<const void*>(&smooth_matrix), 2, -2, 3},
    {reinterpret_cast<const void*>(&normalize_matrix), 1, -4, 12},
    {reinterpret_cast<const void*>(&randomize_matrix), 1, -4, 12},
    {reinterpret_cast<const void*>(&fadescreen), 1, -5, 5},
    {reinterpret_cast<const void*>(&defadescreen), 1, -5, 5},
    {reinterpret_cast<const void*>(&flashscreen), 1, -5, 5},
};

int held(const void* function, int index, int value) {
  for (const Bound& bound : bounds) {
    if (bound.function != function || bound.index != index) continue;
    long long span = (long long)bound.high - bound.low + 1;
    return int(bound.low + ((long long)value % span + span) % span);
  }
  return value;
}

// The sound file name is fixed, in a scratch folder: the stand-in host
// writes real files.
std::string sound_file = "fuzz-sound.wav";

template <class T>
T decode(Bytes& in, std::vector<std::string>& keep, const void* function, int index) {
  if constexpr (std::is_same_v<T, int>) {
    return held(function, index, static_cast<int>(in.word()));
  } else if constexpr (std::is_same_v<T, float>) {
    std::uint32_t bits = in.word();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  } else if constexpr (std::is_same_v<T, char*>) {
    if (function == reinterpret_cast<const void*>(&savesound)) return sound_file.data();
    return in.text(keep);
  } else {
    return static_cast<T>(in.word());
  }
}

template <class F>
struct Call;
template <class R, class... A>
struct Call<R(A...)> {
  static void run(R (*function)(A...), Bytes& in) { run(function, in, std::index_sequence_for<A...>{}); }
  template <std::size_t... I>
  static void run(R (*function)(A...), [[maybe_unused]] Bytes& in, std::index_sequence<I...>) {
    std::vector<std::string> keep;
    keep.reserve(sizeof...(A));
    const void* address = reinterpret_cast<const void*>(function);
    std::tuple<A...> arguments{decode<A>(in, keep, address, int(I))...};
    std::apply(function, arguments);
  }
};

using Runner = void (*)(Bytes&);
const Runner runners[] = {
#define EC_COMMAND(id, function, row) \
  [](Bytes& in) { Call<decltype(::function)>::run(&::function, in); },
#include "../../plugin/command_list.inc"
#undef EC_COMMAND
};

const char* const optional_modules[] = {
    EC_HOST_PREFIX "LightDebug.dll",  EC_HOST_PREFIX "SetupDebug.dll",
    EC_HOST_PREFIX "BitmapDebug.dll", EC_HOST_PREFIX "TextDebug.dll",
    EC_HOST_PREFIX "MemblocksDebug.dll", EC_HOST_PREFIX "Core.dll",
};

// Host modules and the plug-in's binding, fresh for this input.
void set_up_host(Bytes& in) {
  hostsim::reset();
  hostsim::set_screen_size(160, 120);
  hostsim::LoadOptions options;
  std::uint8_t modules = in.byte();
  if (modules & 0x80) {
    for (int i = 0; i < 6; ++i)
      if (modules & (1 << i)) options.skip_modules.push_back(optional_modules[i]);
  }
  std::uint8_t strip = in.byte();
  if (strip < host::entry_count() && (modules & 0x40))
    options.strip_exports.push_back(host::entries()[strip].decorated_name);
  static std::vector<std::string> loaded = {"none yet"};
  std::vector<std::string> wanted = options.skip_modules;
  wanted.insert(wanted.end(), options.strip_exports.begin(), options.strip_exports.end());
  if (wanted != loaded) hostsim::load_modules(options), loaded = wanted;
  host::bound = false;  // bind again against this input's modules
  ReceiveCoreDataPtr((modules & 0x20) ? nullptr : hostsim::core_record());
}

// A small scene for the commands to find: objects, an image, a sound, a grid.
void set_up_scene(Bytes& in) {
  for (int number = 1; number <= 3; ++number) {
    hostsim::Mesh mesh{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}};
    hostsim::Object& object = hostsim::make_object(number, "mesh", mesh);
    object.limbs[1] = mesh;
    object.position = {float(in.byte() % 16), 0, float(in.byte() % 16)};
  }
  hostsim::Image image;
  image.width = in.byte() % 9, image.height = in.byte() % 9;
  image.pixels.resize(std::size_t(image.width) * std::size_t(image.height), in.word());
  hostsim::storage.images[1] = image;
  hostsim::Sound sound;
  sound.samples.resize(in.byte() % 64, 0x80);
  sound.memblock_limit = in.byte() % 2 ? SIZE_MAX : in.byte() % 40;
  hostsim::sound_state.sounds[1] = sound;
  hostsim::make_matrix(1, 8, 8);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/ec-fuzz-XXXXXX";
  if (mkdtemp(folder)) sound_file = std::string(folder) + "/fuzz-sound.wav";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  set_up_host(in);
  set_up_scene(in);
  for (int calls = 0; calls < 12 && !in.empty(); ++calls) runners[in.byte() % exports::command_count](in);
  return 0;
}
