// Core module: the core data record with its string allocator, maths in
// degrees, the random generator, the timer, frames and printing.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "core_state.h"
#include "hostsim.h"
#include "impl.h"

namespace hostsim {
namespace {

// A new text is not cleared: like any allocator's memory it holds whatever
// was there before, here a fill pattern.  A guard follows its end; a text
// written past its end is counted when it is given back.
constexpr char fresh_fill = '\xA5';
constexpr char guard_fill = '\x5A';
constexpr std::size_t guard_size = 16;

struct HeldText {
  std::unique_ptr<char[]> bytes;
  std::size_t size;
};
std::map<char*, HeldText> strings;  // texts the allocator made, still held
int overruns = 0;                   // texts given back with a broken guard

bool guard_broken(const HeldText& text) {
  const char* guard = text.bytes.get() + text.size;
  for (std::size_t i = 0; i < guard_size; ++i)
    if (guard[i] != guard_fill) return true;
  return false;
}

// The record: the allocator's address at byte 0, the inks at 788 and 792.
alignas(8) unsigned char record[800];

}  // namespace

CoreState core_state;
void (*on_present)() = nullptr;

extern "C" void string_allocator(char** slot, int size) {
  append_log("Core.StringAllocator(" + std::to_string(size) + ")");
  if (size > 0) {
    HeldText text{std::unique_ptr<char[]>(new char[std::size_t(size) + guard_size]), std::size_t(size)};
    std::memset(text.bytes.get(), fresh_fill, text.size);
    std::memset(text.bytes.get() + text.size, guard_fill, guard_size);
    *slot = text.bytes.get();
    strings[*slot] = std::move(text);
  } else if (auto held = strings.find(*slot); held != strings.end()) {
    overruns += guard_broken(held->second);
    strings.erase(held);
  }
}

void* core_record() { return record; }

std::uint32_t record_ink(bool foreground) {
  std::uint32_t ink;
  std::memcpy(&ink, record + (foreground ? 788 : 792), sizeof ink);
  return ink;
}

int live_strings() { return static_cast<int>(strings.size()); }

int overrun_strings() {
  int count = overruns;
  for (const auto& held : strings) count += guard_broken(held.second);
  return count;
}

void reset_core() {
  strings.clear();
  overruns = 0;
  std::memset(record, 0, sizeof record);
  void (*allocate)(char**, int) = &string_allocator;
  std::memcpy(record, &allocate, sizeof allocate);
  core_state = CoreState{};
}

// The host's generator: the classic 32-bit linear congruential one.
int core_random(int limit) {
  core_state.random_state = core_state.random_state * 214013u + 2531011u;
  int value = static_cast<int>((core_state.random_state >> 16) & 0x7FFF);
  return limit >= 0 ? static_cast<int>(static_cast<long long>(value) % (static_cast<long long>(limit) + 1)) : 0;
}

namespace impl {

// Acos and Atan2 in double and rounded once, like the sine and cosine: the
// single-precision atan2f and acosf differ between C libraries in the last
// bit (the browser build's gives acosf(0) one step below pi / 2), the double
// ones agree.
KFloat Core_AcosFF(float c) { return float_result(f32(std::acos(double(c)) / degrees)); }
KFloat Core_Atan2FFF(float y, float x) { return float_result(f32(std::atan2(double(y), double(x)) / degrees)); }
KFloat Core_CosFF(float a) { return float_result(f32(std::cos(a * degrees))); }

// Moves the current angle part of the way toward the destination along the
// shorter way round: a step of 1/smoothing of the difference (at least all of
// it for a smoothing below 1), wrapped into 0..360.
KFloat Core_CurveAngleFFFF(float destination, float current, float smoothing) {
  double difference = std::fmod(static_cast<double>(destination) - current, 360.0);
  if (difference > 180.0) difference -= 360.0;
  if (difference < -180.0) difference += 360.0;
  double step = smoothing < 1.0f ? difference : difference / smoothing;
  return Core_WrapValueFF(f32(current + step));
}

void Core_PrintCS(char* text) { core_state.printed.push_back(text ? text : ""); }
void Core_Randomize(int seed) { core_state.random_state = static_cast<std::uint32_t>(seed); }
int Core_RndLL(int limit) { return core_random(limit); }
void Core_SetCursor(int x, int y) { core_state.cursor_x = x, core_state.cursor_y = y; }
KFloat Core_SinFF(float a) { return float_result(f32(std::sin(a * degrees))); }
KFloat Core_SqrtFF(float v) { return float_result(f32(std::sqrt(v))); }
void Core_Sync() {
  ++core_state.frames;
  if (on_present) on_present();
}
int Core_TimerL() { return core_state.timer; }

// Angles are brought into 0 <= a < 360.
KFloat Core_WrapValueFF(float a) {
  double wrapped = std::fmod(static_cast<double>(a), 360.0);
  if (wrapped < 0) wrapped += 360.0;
  float result = f32(wrapped);
  return float_result(result >= 360.0f ? 0.0f : result);
}

}  // namespace impl
}  // namespace hostsim
