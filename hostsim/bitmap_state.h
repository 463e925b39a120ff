// State of the stand-in bitmap module: bitmaps as 2D drawing surfaces.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "hostsim.h"

namespace hostsim {

struct Bitmap {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // row after row, colour values as Rgb makes them
};

struct Bitmaps {
  std::map<int, Bitmap> bitmaps;
  int current = 0;  // 0: 2D drawing goes to the screen
};

HS_API extern Bitmaps bitmaps;

// The bitmap that receives 2D drawing, or null while drawing goes to the screen.
HS_API Bitmap* current_bitmap();

// The largest bitmap or grabbed image side the stand-in host accepts.
inline constexpr int largest_surface_side = 4096;
inline bool acceptable_side(std::int64_t side) { return side > 0 && side <= largest_surface_side; }

}  // namespace hostsim
