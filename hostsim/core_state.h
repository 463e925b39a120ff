// State of the stand-in core module, for tests to set and read.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "hostsim.h"

namespace hostsim {

struct CoreState {
  std::uint32_t random_state = 1;    // RndLL's generator; Randomize seeds it
  int timer = 0;                     // TimerL, milliseconds
  int frames = 0;                    // Sync calls
  int cursor_x = 0, cursor_y = 0;    // SetCursor
  std::vector<std::string> printed;  // PrintCS lines
};

HS_API extern CoreState core_state;

// Called on every frame the host presents (each Sync), when set; a reset
// leaves it in place.
HS_API extern void (*on_present)();

// RndLL(limit): 0..limit from the generator above (0 for a negative limit).
int core_random(int limit);

}  // namespace hostsim
