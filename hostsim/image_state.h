// State of the stand-in image module: an image's size and pixels.  The images
// themselves are kept with the memblocks (memblocks_state.h), which convert
// to and from them.
#pragma once
#include <cstdint>
#include <vector>

namespace hostsim {

struct Image {
  int width = 0, height = 0, depth = 32;
  std::vector<std::uint32_t> pixels;  // row after row, colour values as Rgb makes them
  bool locked = false;
};

}  // namespace hostsim
