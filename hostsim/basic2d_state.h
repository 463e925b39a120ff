// State of the stand-in 2D module: the screen, a 32-bit pixel buffer of the
// display size, with the current ink and the drawing state; the display size
// (Setup) and the ambient light level (Light) are kept with it.  Pixels are colour
// values as Rgb makes them (0xAARRGGBB); drawing outside the screen is
// clipped.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "../plugin/fmath.h"
#include "hostsim.h"

namespace hostsim {

// A freshly started host lights its scene dimly besides its one light, so
// that the sides turned away from the light still show.
inline constexpr int default_ambient = 25;

inline constexpr int default_display_width = 640, default_display_height = 480;

// The alpha byte of every colour Rgb makes; alone it is opaque black, the
// colour of a blank screen, bitmap or grabbed pixel.
inline constexpr std::uint32_t opaque = 0xFF000000u;

struct Screen {
  int width = default_display_width, height = default_display_height;
  std::vector<std::uint32_t> pixels;    // width x height, black until drawn
  K ink = 0xFFFFFFFFu, paper = opaque;  // foreground and background ink
  int locks = 0, unlocks = 0;           // Lock / Unlock calls
  int ambient = default_ambient;        // SetAmbient level, percent
};

HS_API extern Screen screen;

// Resizes (and clears) the screen; the display size follows it.
HS_API void set_screen_size(int width, int height);
// The pixel at (x, y), or 0 outside the screen.
HS_API std::uint32_t pixel(int x, int y);
// Sets one pixel; anything off the screen is left out.
void put_pixel(long long x, long long y, std::uint32_t colour);

// A line from (x1, y1) to (x2, y2), both end points included.
struct Segment {
  double x1, y1, x2, y2;
};

// The part [t0, t1] of the segment's parameter range (0 at its start, 1 at
// its end) that lies within a pixel of a width x height surface
// (Liang-Barsky); false when none does or an end is not a finite number.
HS_API bool clip_segment(const Segment& line, int width, int height, double& t0, double& t1);

// Calls plot(x, y) for the line's pixels on a width x height surface: only
// the clipped part of the line is stepped, one step per pixel of its longer
// side, each point rounded to the nearest pixel.
template <class Plot>
void trace_line(const Segment& line, int width, int height, Plot&& plot) {
  double t0 = 0, t1 = 1;
  if (!clip_segment(line, width, height, t0, t1)) return;
  double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  double steps = std::max(std::fabs(dx), std::fabs(dy));
  long long first = static_cast<long long>(std::floor(t0 * steps));
  long long last = static_cast<long long>(std::ceil(t1 * steps));
  for (long long i = first; i <= last; ++i) {
    double t = steps == 0 ? 0 : i / steps;
    plot(std::llround(line.x1 + dx * t), std::llround(line.y1 + dy * t));
  }
}

}  // namespace hostsim
