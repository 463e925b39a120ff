// How a fuzz input becomes a host, a scene and a sequence of command calls;
// shared by the libFuzzer harness (commands linked in) and the corpus replay
// (the shipped DLL's exports), so that both read every input alike.
//
// Input: a module byte and a strip byte (which host modules and which single
// export to leave out, and whether the core record is handed over), scene
// bytes, then up to 12 calls: a command byte and the command's arguments,
// decoded by its type letters from raw bytes (floats from their bit
// patterns, so NaN payloads and infinities occur; texts from bytes, null or
// long).  Parameters that set how much work a command must do (radii,
// counts, segments, passes, sizes) are held to small ranges: long work a
// command is asked for is not a fault.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "../../hostsim/basic2d_state.h"
#include "../../hostsim/basic3d_state.h"
#include "../../hostsim/hostsim.h"
#include "../../hostsim/matrix_state.h"
#include "../../hostsim/memblocks_state.h"
#include "../../hostsim/sound_state.h"
#include "../../plugin/commands.h"
#include "../../plugin/host.h"

namespace fuzz {

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

// Held ranges for the work-setting parameters: (export, parameter index,
// low, high); the decorated name's hidden text parameter counts as index 0.
struct Bound {
  std::string_view function;
  int index;
  int low, high;
};

inline constexpr Bound bounds[] = {
    {"filledcircle", 2, -40, 40},    {"filledcircle", 3, -40, 40},    {"drawdust", 3, -4, 64},
    {"drawgalaxy", 6, -4, 64},       {"drawbutton", 0, -300, 300},    {"drawbutton", 1, -300, 300},
    {"drawbutton", 2, -300, 300},    {"drawbutton", 3, -300, 300},    {"drawbutton", 4, -4, 12},
    {"drawbezier", 8, -4, 200},      {"smooth_matrix", 1, -4, 12},    {"smooth_matrix", 2, -2, 3},
    {"normalize_matrix", 1, -4, 12}, {"randomize_matrix", 1, -4, 12}, {"fadescreen", 1, -5, 5},
    {"defadescreen", 1, -5, 5},      {"flashscreen", 1, -5, 5},
};

inline int held(std::string_view function, int index, int value) {
  for (const Bound& bound : bounds) {
    if (bound.function != function || bound.index != index) continue;
    long long span = (long long)bound.high - bound.low + 1;
    return int(bound.low + ((long long)value % span + span) % span);
  }
  return value;
}

// The sound file name is fixed, in a scratch folder: the stand-in host
// writes real files.  Each program sets it.
inline std::string sound_file = "fuzz-sound.wav";

template <class T>
T decode(Bytes& in, std::vector<std::string>& keep, std::string_view function, int index) {
  if constexpr (std::is_same_v<T, int>) {
    return held(function, index, static_cast<int>(in.word()));
  } else if constexpr (std::is_same_v<T, float>) {
    std::uint32_t bits = in.word();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  } else if constexpr (std::is_same_v<T, char*>) {
    if (function == "savesound") return sound_file.data();
    return in.text(keep);
  } else {
    return static_cast<T>(in.word());
  }
}

// Decodes the arguments of `function` (of type F) and calls it through
// `callable`: the function itself or an export found by name.
template <class F>
struct Call;
template <class R, class... A>
struct Call<R(A...)> {
  template <class Callable>
  static void run(const Callable& callable, std::string_view function, Bytes& in) {
    run(callable, function, in, std::index_sequence_for<A...>{});
  }
  template <class Callable, std::size_t... I>
  static void run(const Callable& callable, [[maybe_unused]] std::string_view function, [[maybe_unused]] Bytes& in,
                  std::index_sequence<I...>) {
    std::vector<std::string> keep;
    keep.reserve(sizeof...(A));
    std::tuple<A...> arguments{decode<A>(in, keep, function, int(I))...};
    std::apply(callable, arguments);
  }
};

inline constexpr const char* optional_modules[] = {
    EC_HOST_PREFIX "LightDebug.dll", EC_HOST_PREFIX "SetupDebug.dll",     EC_HOST_PREFIX "BitmapDebug.dll",
    EC_HOST_PREFIX "TextDebug.dll",  EC_HOST_PREFIX "MemblocksDebug.dll", EC_HOST_PREFIX "Core.dll",
};

inline constexpr const char* host_function_names[] = {
#define HOST_FN(module, field, decorated, Ret, Params) decorated,
#include "../../plugin/host_functions.inc"
#undef HOST_FN
};

struct HostChoice {
  hostsim::LoadOptions options;
  bool hand_over_record;
};

// The host modules for this input: which are left out, which single export
// is stripped, whether the core record is handed over.
inline HostChoice choose_host(Bytes& in) {
  HostChoice choice;
  std::uint8_t modules = in.byte();
  if (modules & 0x80) {
    for (int i = 0; i < 6; ++i)
      if (modules & (1 << i)) choice.options.skip_modules.push_back(optional_modules[i]);
  }
  std::uint8_t strip = in.byte();
  if (strip < std::size(host_function_names) && (modules & 0x40))
    choice.options.strip_exports.push_back(host_function_names[strip]);
  choice.hand_over_record = !(modules & 0x20);
  return choice;
}

// A small scene for the commands to find: objects, an image, a sound, a grid.
inline void set_up_scene(Bytes& in) {
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

inline constexpr int max_calls = 12;

}  // namespace fuzz
