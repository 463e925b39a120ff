// Image module: the images' existence, grabbing from the current drawing
// surface, and direct pixel access.  An image is locked, written pixel by
// pixel with Write(image, x, y, red, green, blue, alpha), and unlocked.  A
// write to an image that is missing or not locked, or outside it, is ignored.
#include <cstdint>

#include "basic2d_state.h"
#include "bitmap_state.h"
#include "impl.h"
#include "memblocks_state.h"

namespace hostsim {
namespace {

// The image a host function needs; a missing one is reported.
Image* need_image(int number) {
  auto found = storage.images.find(number);
  return reported(found == storage.images.end() ? nullptr : &found->second, "image", number);
}

std::uint32_t channel(int value, int shift) { return (static_cast<std::uint32_t>(value) & 0xFFu) << shift; }

// The pixel at (x, y) of the current drawing surface: the screen when no
// bitmap is current, else that bitmap, opaque black outside it.
std::uint32_t surface_pixel(int x, int y) {
  const Bitmap* bitmap = current_bitmap();
  if (!bitmap) return pixel(x, y);
  if (x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return opaque;
  return bitmap->pixels[std::size_t(y) * std::size_t(bitmap->width) + std::size_t(x)];
}

}  // namespace

void reset_images() { storage.images.clear(); }

namespace impl {

void Image_ImageDeleteEx(int number) { storage.images.erase(number); }
int Image_ImageGetExistEx(int number) { return storage.images.count(number) ? 1 : 0; }

// Copies the region [left, right) x [top, bottom) of the current surface;
// parts outside it read blank.  An empty or oversized region makes no image.
void Image_GrabImageEx(int image, int left, int top, int right, int bottom) {
  std::int64_t width = std::int64_t(right) - left, height = std::int64_t(bottom) - top;
  if (!acceptable_side(width) || !acceptable_side(height)) return;
  Image grabbed;
  grabbed.width = int(width), grabbed.height = int(height);
  for (std::int64_t y = top; y < bottom; ++y)
    for (std::int64_t x = left; x < right; ++x) grabbed.pixels.push_back(surface_pixel(int(x), int(y)));
  storage.images[image] = std::move(grabbed);
}

void Image_ImageLock(int number) {
  if (Image* image = need_image(number)) image->locked = true;
}

void Image_ImageUnlock(int number) {
  if (Image* image = need_image(number)) image->locked = false;
}

void Image_ImageWrite(int number, int x, int y, int red, int green, int blue, int alpha) {
  Image* image = need_image(number);
  if (!image || !image->locked || x < 0 || y < 0 || x >= image->width || y >= image->height) return;
  std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(image->width) + static_cast<std::size_t>(x);
  if (at < image->pixels.size())
    image->pixels[at] = channel(alpha, 24) | channel(red, 16) | channel(green, 8) | channel(blue, 0);
}

}  // namespace impl
}  // namespace hostsim
