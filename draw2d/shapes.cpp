// FILLED CIRCLE, HOLLOW RECT, DRAW DUST, DRAW GALAXY.
#include <climits>
#include <cmath>
#include <cstdint>

#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "draw2d.h"

namespace {

// RndLL's limit for a dot's angle: divided by dust_scale, a whole number of
// radians from 0 to 360.
constexpr int dust_angle_limit = 36000;
constexpr int dust_scale = 100;
constexpr int galaxy_distance_limit = 10000;
constexpr double galaxy_distance_scale = 1000.0;
constexpr int galaxy_angle_limit = 3600;
constexpr int galaxy_multiplier_limit = 3;
constexpr int galaxy_jitter_limit = 10000;
constexpr double galaxy_size_divisor = 300.0;
constexpr double galaxy_brightness = 40000.0;
constexpr int galaxy_scale_divisor = 200;
constexpr int marker_half = 2;

// dx²·ry² + dy²·rx² < rx²·ry² for |dx| <= rx, |dy| <= ry, exactly.  The
// 64-bit products suffice while rx·ry < 2³¹; larger ellipses are compared in
// long double rather than overflowing.
bool inside_ellipse(long long dx, long long dy, long long rx, long long ry) {
  constexpr long long exact_limit = 1LL << 31;
  if (rx * ry < exact_limit) return dx * dx * ry * ry + dy * dy * rx * rx < rx * rx * ry * ry;
  long double a = static_cast<long double>(dx) * ry, b = static_cast<long double>(dy) * rx;
  long double c = static_cast<long double>(rx) * ry;
  return a * a + b * b < c * c;
}

// RndLL's limit radius × 100, held to the 32-bit range the host takes.
int dust_radius_limit(int radius) {
  long long limit = static_cast<long long>(radius) * dust_scale;
  return limit > INT_MAX ? INT_MAX : limit < INT_MIN ? INT_MIN : static_cast<int>(limit);
}

// The half-height of column dx: the largest dy with (dx, dy) inside, or -1
// when the column is empty.  Inside-ness falls with |dy| and is the same for
// ±dy, so the column is the run from -half to half.  From the previous
// column's half-height the boundary moves a few rows at a time: it rises
// towards the middle column and falls after it.
long long column_half_height(long long dx, long long rx, long long ry, long long previous) {
  long long half = previous;
  while (half < ry && inside_ellipse(dx, half + 1, rx, ry)) ++half;
  while (half >= 0 && !inside_ellipse(dx, half, rx, ry)) --half;
  return half;
}

}  // namespace

// Column by column, each from top to bottom; boundary pixels are left out.
// Each column is the run of dots between its boundary rows, found with the
// exact test, so the dots are those of testing every pixel of the bounding
// box.  Coordinates wrap as the host's 32-bit integers do.
void filledcircle(int cx, int cy, int rx, int ry, K colour) {
  host::ensure_bound();
  if (rx <= 0 || ry <= 0) return;  // no pixel lies strictly inside
  long long half = -1;
  for (int dx = -rx;; ++dx) {
    half = column_half_height(dx, rx, ry, half);
    if (half >= 0) {
      int x = wrap_add(cx, dx), y = wrap_sub(cy, static_cast<int>(half));
      for (std::uint32_t dots = static_cast<std::uint32_t>(2 * half + 1); dots > 0; --dots, y = wrap_add(y, 1))
        H.Dot(x, y, colour);
    }
    if (dx == rx) break;
  }
}

// The corners are used as given, not sorted.
void hollowrect(int x1, int y1, int x2, int y2) {
  host::ensure_bound();
  H.Line(x1, y1, x1, y2);
  H.Line(x1, y1, x2, y1);
  H.Line(x2, y2, x1, y2);
  H.Line(x2, y2, x2, y1);
}

// Dots on whole-pixel rings: the angle is a whole number used directly as
// radians.
void drawdust(int x, int y, int radius, int count, K colour) {
  host::ensure_bound();
  for (int i = 0; i < count; ++i) {
    int angle = H.RndLL(dust_angle_limit) / dust_scale;
    int distance = H.RndLL(dust_radius_limit(radius)) / dust_scale;
    H.Dot(trunc_int(x + distance * std::sin(angle)), trunc_int(y + distance * std::cos(angle)), colour);
  }
}

// Stars crowd toward the centre (d²), brighten toward it, and gather into
// `arms` sectors bent into spirals by `twist`.
void drawgalaxy(int x, int y, int width, int height, int arms, int twist, int stars, int spread, int size, K colour) {
  host::ensure_bound();
  draw2d::white_ink();
  long long red = H.RgbR(colour), green = H.RgbG(colour), blue = H.RgbB(colour);
  int sx = width / galaxy_scale_divisor, sy = height / galaxy_scale_divisor;
  H.Lock();
  for (int i = 0; i < stars; ++i) {
    double d = H.RndLL(galaxy_distance_limit) / galaxy_distance_scale;
    int v = H.RndLL(galaxy_angle_limit);
    double s1 = as_float(H.SinFF(f32(static_cast<double>(v) * arms)));
    int w = H.RndLL(galaxy_multiplier_limit);
    double e = d * d * s1 * w * size / galaxy_size_divisor;
    int z = H.RndLL(galaxy_jitter_limit);
    double s2 = as_float(H.SinFF(f32(z)));
    if (e < 0) e = 0;
    float a = f32(spread * s2 + v + e * twist);
    double sine = as_float(H.SinFF(a));
    double cosine = as_float(H.CosFF(a));
    int star_x = trunc_int(x + sx * e * sine);
    int star_y = trunc_int(y + sy * e * cosine);
    // A star at the very centre (e = 0) has an infinite boost: it saturates,
    // and the channels below come out 255.
    long long boost = trunc_int(galaxy_brightness / std::pow(e, 1.5));
    auto brighten = [boost](long long channel) {
      return channel + boost > draw2d::channel_max ? draw2d::channel_max : static_cast<int>(channel + boost);
    };
    H.Dot(star_x, star_y, H.Rgb(brighten(red), brighten(green), brighten(blue)));
  }
  H.Box(wrap_sub(x, marker_half), wrap_sub(y, marker_half), wrap_add(x, marker_half), wrap_add(y, marker_half));
  H.Unlock();
}
