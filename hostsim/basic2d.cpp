// Basic 2D module: the screen's pixels, the ink and the drawing primitives.
//
// Coordinates may be anything a 32-bit integer holds: every primitive clips
// to the screen before it loops, in 64-bit or double arithmetic.
#include <algorithm>
#include <cmath>

#include "basic2d_state.h"
#include "bitmap_state.h"
#include "impl.h"

namespace hostsim {

Screen screen;

namespace {

// The rectangle's columns or rows that lie on the screen: [from, to].
struct Span {
  long long from, to;
};
Span clip(long long a, long long b, int size) {
  if (a > b) std::swap(a, b);
  return {std::max(a, 0LL), std::min(b, size - 1LL)};
}

int channel(K colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

// Corner colours mixed by position u (left to right) and v (top to bottom).
K mix(K bottom_left, K top_left, K bottom_right, K top_right, double u, double v) {
  K result = opaque;
  for (int shift : {16, 8, 0}) {
    double top = channel(top_left, shift) * (1 - u) + channel(top_right, shift) * u;
    double bottom = channel(bottom_left, shift) * (1 - u) + channel(bottom_right, shift) * u;
    result |= static_cast<K>(std::lround(top * (1 - v) + bottom * v)) << shift;
  }
  return result;
}

}  // namespace

void set_screen_size(int width, int height) {
  screen.width = std::max(width, 0);
  screen.height = std::max(height, 0);
  screen.pixels.assign(static_cast<std::size_t>(screen.width) * screen.height, opaque);
}

std::uint32_t pixel(int x, int y) {
  if (x < 0 || y < 0 || x >= screen.width || y >= screen.height) return 0;
  return screen.pixels[static_cast<std::size_t>(y) * screen.width + x];
}

// 2D drawing goes to the current bitmap while there is one, else to the screen.
void put_pixel(long long x, long long y, std::uint32_t colour) {
  if (Bitmap* bitmap = current_bitmap()) {
    if (x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return;
    bitmap->pixels[static_cast<std::size_t>(y * bitmap->width + x)] = colour;
    return;
  }
  if (x < 0 || y < 0 || x >= screen.width || y >= screen.height) return;
  screen.pixels[static_cast<std::size_t>(y * screen.width + x)] = colour;
}

bool clip_segment(const Segment& line, int width, int height, double& t0, double& t1) {
  if (!std::isfinite(line.x1) || !std::isfinite(line.y1) || !std::isfinite(line.x2) || !std::isfinite(line.y2))
    return false;
  double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  t0 = 0, t1 = 1;
  auto keep = [&](double p, double q) {  // the part where p·t <= q
    if (p == 0) return q >= 0;
    double t = q / p;
    if (p < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    return t0 <= t1;
  };
  return keep(-dx, line.x1 + 1.0) && keep(dx, double(width) - line.x1) && keep(-dy, line.y1 + 1.0) &&
         keep(dy, double(height) - line.y1);
}

// Keeps the pixel buffer's storage: resets are frequent in the fuzz harness.
void reset_screen() {
  std::vector<std::uint32_t> pixels = std::move(screen.pixels);
  screen = Screen{};
  pixels.assign(static_cast<std::size_t>(screen.width) * screen.height, opaque);
  screen.pixels = std::move(pixels);
}

namespace {
const bool screen_ready = (reset_screen(), true);
}

namespace impl {

// Filled, both corners included, in either order.
void Basic2D_Box(int x1, int y1, int x2, int y2) {
  Span xs = clip(x1, x2, screen.width), ys = clip(y1, y2, screen.height);
  for (long long y = ys.from; y <= ys.to; ++y)
    for (long long x = xs.from; x <= xs.to; ++x) put_pixel(x, y, screen.ink);
}

// Like Box, shaded from the colours of the bottom-left, top-left,
// bottom-right and top-right corners.
void Basic2D_BoxGradient(int x1, int y1, int x2, int y2, K bottom_left, K top_left, K bottom_right, K top_right) {
  double left = std::min(x1, x2), top = std::min(y1, y2);
  double width = std::abs(static_cast<double>(x2) - x1), height = std::abs(static_cast<double>(y2) - y1);
  Span xs = clip(x1, x2, screen.width), ys = clip(y1, y2, screen.height);
  for (long long y = ys.from; y <= ys.to; ++y)
    for (long long x = xs.from; x <= xs.to; ++x) {
      double u = width == 0 ? 0 : (x - left) / width, v = height == 0 ? 0 : (y - top) / height;
      put_pixel(x, y, mix(bottom_left, top_left, bottom_right, top_right, u, v));
    }
}

// An outline in the ink, found per screen row and per screen column so that
// it has no gaps; a negative radius draws nothing.
void Basic2D_Circle(int cx, int cy, int radius) {
  if (radius < 0) return;
  double r = radius;
  auto half_chord = [r](double offset) { return std::llround(std::sqrt(r * r - offset * offset)); };
  Span ys = clip(static_cast<long long>(cy) - radius, static_cast<long long>(cy) + radius, screen.height);
  for (long long y = ys.from; y <= ys.to; ++y) {
    long long half = half_chord(static_cast<double>(y - cy));
    put_pixel(cx - half, y, screen.ink);
    put_pixel(cx + half, y, screen.ink);
  }
  Span xs = clip(static_cast<long long>(cx) - radius, static_cast<long long>(cx) + radius, screen.width);
  for (long long x = xs.from; x <= xs.to; ++x) {
    long long half = half_chord(static_cast<double>(x - cx));
    put_pixel(x, cy - half, screen.ink);
    put_pixel(x, cy + half, screen.ink);
  }
}

void Basic2D_DotInk(int x, int y) { put_pixel(x, y, screen.ink); }
void Basic2D_Dot(int x, int y, K colour) { put_pixel(x, y, colour); }
void Basic2D_Ink(K foreground, K background) { screen.ink = foreground, screen.paper = background; }

// Both end points included, clipped to the screen.
void Basic2D_Line(int x1, int y1, int x2, int y2) {
  trace_line({double(x1), double(y1), double(x2), double(y2)}, screen.width, screen.height,
             [](long long x, long long y) { put_pixel(x, y, screen.ink); });
}

void Basic2D_Lock() { ++screen.locks; }

K Basic2D_Rgb(int red, int green, int blue) {
  return opaque | static_cast<K>(red & 0xFF) << 16 | static_cast<K>(green & 0xFF) << 8 | static_cast<K>(blue & 0xFF);
}

int Basic2D_RgbB(K colour) { return channel(colour, 0); }
int Basic2D_RgbG(K colour) { return channel(colour, 8); }
int Basic2D_RgbR(K colour) { return channel(colour, 16); }
void Basic2D_Unlock() { ++screen.unlocks; }

}  // namespace impl
}  // namespace hostsim
