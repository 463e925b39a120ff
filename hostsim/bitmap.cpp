// Bitmap module: bitmaps as 2D drawing surfaces.
#include <cstdint>

#include "basic2d_state.h"
#include "bitmap_state.h"
#include "impl.h"

namespace hostsim {

Bitmaps bitmaps;

void reset_bitmaps() { bitmaps = Bitmaps{}; }

Bitmap* current_bitmap() {
  auto found = bitmaps.bitmaps.find(bitmaps.current);
  return found == bitmaps.bitmaps.end() ? nullptr : &found->second;
}

namespace impl {

// A new bitmap is blank and becomes the surface that 2D drawing goes to.
// Number 0 is the screen itself and is not made.
void Bitmap_CreateBitmap(int number, int width, int height) {
  if (number <= 0 || !acceptable_side(width) || !acceptable_side(height)) return;
  std::size_t count = std::size_t(width) * std::size_t(height);
  bitmaps.bitmaps[number] = Bitmap{width, height, std::vector<std::uint32_t>(count, opaque)};
  bitmaps.current = number;
}

// Deleting the current bitmap sends 2D drawing back to the screen.
void Bitmap_DeleteBitmapEx(int number) {
  bitmaps.bitmaps.erase(number);
  if (bitmaps.current == number) bitmaps.current = 0;
}

}  // namespace impl
}  // namespace hostsim
