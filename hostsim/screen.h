// The stand-in host's 2D screen: a 32-bit pixel buffer of the display size,
// the current ink, and the 2D module's drawing state.  Pixels are colour
// values as Rgb makes them (0xAARRGGBB); drawing outside the screen is
// clipped.
#pragma once
#include <cstdint>
#include <vector>

#include "../plugin/fmath.h"
#include "hostsim.h"

namespace hostsim {

struct Screen {
  int width = 640, height = 480;
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(640 * 480, 0xFF000000u);
  K ink = 0xFFFFFFFFu, paper = 0xFF000000u;  // foreground and background ink
  int locks = 0, unlocks = 0;                // Lock / Unlock calls
  int ambient = 0;                           // SetAmbient level
};

HS_API extern Screen screen;

// Resizes (and clears) the screen; the display size follows it.
HS_API void set_screen_size(int width, int height);
// The pixel at (x, y), or 0 outside the screen.
HS_API std::uint32_t pixel(int x, int y);
// Sets one pixel; anything off the screen is left out.
void put_pixel(long long x, long long y, std::uint32_t colour);

}  // namespace hostsim
