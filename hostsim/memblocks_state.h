// State of the stand-in memblock module: memblocks with real bytes, and the
// host's images beside them.
//
// Memblock image layout: width, height and depth as 32-bit values at bytes 0,
// 4 and 8, then 4-byte pixels row after row (bytes blue, green, red, alpha).
// Reads and writes outside a memblock are refused (reads give 0) and counted.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "hostsim.h"
#include "image_state.h"

namespace hostsim {

struct Storage {
  std::map<int, Image> images;
  std::map<int, std::vector<std::uint8_t>> memblocks;
  int refused = 0;  // memblock accesses out of range
};

HS_API extern Storage storage;

HS_API std::vector<std::uint8_t> memblock_from_image(const Image& image);
// Reads the layout; a header that does not fit the bytes gives an empty image.
HS_API Image image_from_memblock(const std::vector<std::uint8_t>& bytes);

}  // namespace hostsim
