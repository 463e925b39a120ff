// State of the stand-in input module, for tests to set.
#pragma once
#include <array>

#include "hostsim.h"

namespace hostsim {

struct InputState {
  int mouse_x = 0, mouse_y = 0;
  int mouse_click = 0;                     // button state GetMouseClick reports
  int mouse_move_x = 0, mouse_move_y = 0;  // reported once, then 0
  std::array<int, 256> keys{};             // KeyState per key code
};

HS_API extern InputState input_state;

}  // namespace hostsim
