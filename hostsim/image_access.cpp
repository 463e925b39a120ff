// Image module: direct pixel access.  An image is locked, written pixel by
// pixel with Write(image, x, y, red, green, blue, alpha), and unlocked.  A
// write to an image that is missing or not locked, or outside it, is ignored.
#include "impl.h"
#include "storage.h"

namespace hostsim {
namespace {

Image* find_image(int number) {
  auto found = storage.images.find(number);
  return found == storage.images.end() ? nullptr : &found->second;
}

std::uint32_t channel(int value, int shift) { return (static_cast<std::uint32_t>(value) & 0xFFu) << shift; }

}  // namespace

namespace impl {

void Image_ImageLock(int number) {
  if (Image* image = find_image(number)) image->locked = true;
}

void Image_ImageUnlock(int number) {
  if (Image* image = find_image(number)) image->locked = false;
}

void Image_ImageWrite(int number, int x, int y, int red, int green, int blue, int alpha) {
  Image* image = find_image(number);
  if (!image || !image->locked || x < 0 || y < 0 || x >= image->width || y >= image->height) return;
  std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(image->width) + static_cast<std::size_t>(x);
  if (at < image->pixels.size())
    image->pixels[at] = channel(alpha, 24) | channel(red, 16) | channel(green, 8) | channel(blue, 0);
}

}  // namespace impl
}  // namespace hostsim
