// SINGLE KEYCHECK, MOUSE DOUBLECLICK, RND MIN MAX, SWAP.
//
// The input commands turn the host's level-style queries into events by
// comparing what the host reports now with what earlier calls saw, so they
// rely on the program calling them once per pass of its main loop.
#include "input.h"

#include <cstdint>

#include "../plugin/commands.h"
#include "../plugin/host.h"

namespace {

// KeyState of each key code as the last check of that key left it.
int key_states[input::key_count];

// One double-click state for all buttons.
struct DoubleClick {
  int armed;             // a first click was seen, the second is awaited
  int latched;           // a click was counted; cleared once no button is pressed
  int first_click_time;  // host timer at the first click
};
DoubleClick double_click;

// The plug-in's own generator: a 32-bit linear congruential one, state 1 at
// load, yielding 0..32767.
constexpr std::uint32_t random_multiplier = 214013u;
constexpr std::uint32_t random_increment = 2531011u;
std::uint32_t random_state = 1;

int draw_random() {
  random_state = random_state * random_multiplier + random_increment;
  return static_cast<int>((random_state >> 16) & 0x7FFF);
}

bool mouse_is(int button) { return H.GetMouseClick() == button; }

}  // namespace

void input::reset_state() {
  for (int& state : key_states) state = 0;
  double_click = {};
  random_state = 1;
}

// 1 only on the call where the key goes down.  Key codes without an entry
// in the table are never reported down and leave the table alone.
int singlekeycheck(int key) {
  host::ensure_bound();
  if (key < 0 || key >= input::key_count) return 0;
  int pressed = H.KeyState(key) != 0 && key_states[key] == 0 ? 1 : 0;
  key_states[key] = H.KeyState(key);  // asked again, not reused
  return pressed;
}

// 1 on the call that completes a press, release, press of the button within
// the system's double-click interval.  The time-out is tested last, so a
// second press on the call right after the interval still counts.
int mousedoubleclick(int button) {
  host::ensure_bound();
  int interval = platform::double_click_ms();
  int result = 0;
  if (H.GetMouseClick() == 0) double_click.latched = 0;  // each test asks the mouse again
  if (mouse_is(button) && double_click.armed == 0 && double_click.latched == 0) {
    double_click.armed = 1;
    double_click.first_click_time = H.TimerL();
    double_click.latched = 1;
  }
  if (mouse_is(button) && double_click.armed == 1 && double_click.latched == 0) {
    result = 1;
    double_click.latched = 1;
    double_click.armed = 0;
  }
  // The timer is asked again, even on a call that has just read it.
  if (H.TimerL() > wrap_add(double_click.first_click_time, interval)) double_click.armed = 0;
  return result;
}

// A value from low to high inclusive (the bounds may come in either order).
// The generator is reseeded from the calendar clock on every call; the draw
// before reseeding keeps two calls within one second apart.  Only the first
// 32768 values of a wider range can come out.
int rndminmax(int low, int high) {
  if (low > high) {
    int swapped = low;
    low = high;
    high = swapped;
  }
  int before = draw_random();
  random_state = static_cast<std::uint32_t>(platform::calendar_seconds() + before);
  long long span = static_cast<long long>(high) - low + 1;  // 1 .. 2^32
  return static_cast<int>(low + draw_random() % span);
}

// The negated float; either zero gives +0 and an infinity or NaN gives NaN.
K swap(float value) {
  host::ensure_bound();
  if (value == 0.0f) return float_bits(0.0f);
  float zero = value - value;
  return float_bits(zero - value);
}
