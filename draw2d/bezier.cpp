// DRAWBEZIER, DRAWBEZIERINFO, BEZIERFUNCTION: cubic Bezier curves given as
// start P0, first control P1, end P3 and second control P2.
//
// Per axis the curve is a·t³ + b·t² + c·t + P0 with, in single precision,
// c = 3(P1 - P0), b = 3(P2 - P1) - c, a = P3 - P0 - c - b.
#include <cmath>

#include "../plugin/commands.h"
#include "../plugin/host.h"

namespace {

constexpr double marker_half = 2.0;
constexpr int handle_radius = 5;

struct Cubic {
  float a, b, c;
};

Cubic cubic(float p0, float p1, float p3, float p2) {
  float c = 3.0f * (p1 - p0);
  float b = 3.0f * (p2 - p1) - c;
  float a = p3 - p0 - c - b;
  return {a, b, c};
}

// The curve's offset from its start at t, in double precision.
double polynomial(double a, double b, double c, double t) { return a * t * t * t + b * t * t + c * t; }

void line(float x1, float y1, float x2, float y2) {
  H.Line(trunc_int(x1), trunc_int(y1), trunc_int(x2), trunc_int(y2));
}

}  // namespace

// A polyline through samples at t = i / segments; samples closer than one
// pixel on both axes to the last drawn point are merged, and a closing line
// always joins the last drawn point to the last sample.  With fewer than one
// segment no sample exists and nothing is drawn.
void drawbezier(float p0x, float p0y, float p1x, float p1y, float p3x, float p3y, float p2x, float p2y, int segments) {
  host::ensure_bound();
  if (segments < 1) return;
  Cubic cx = cubic(p0x, p1x, p3x, p2x), cy = cubic(p0y, p1y, p3y, p2y);
  float dt = f32(1.0 / segments);
  float prev_x = p0x, prev_y = p0y, x = p0x, y = p0y;
  for (long long i = 1; i <= segments; ++i) {
    float t = f32(static_cast<double>(i) * dt);
    x = f32(p0x + f32(polynomial(cx.a, cx.b, cx.c, t)));
    y = f32(p0y + f32(polynomial(cy.a, cy.b, cy.c, t)));
    if (std::fabs(static_cast<double>(x) - prev_x) > 1 || std::fabs(static_cast<double>(y) - prev_y) > 1) {
      line(prev_x, prev_y, x, y);
      prev_x = x, prev_y = y;
    }
  }
  line(prev_x, prev_y, x, y);
}

// The construction: both handles, a circle on each control point, a 5 x 5
// box on each end point.
void drawbezierinfo(float p0x, float p0y, float p1x, float p1y, float p3x, float p3y, float p2x, float p2y) {
  host::ensure_bound();
  line(p0x, p0y, p1x, p1y);
  line(p3x, p3y, p2x, p2y);
  H.Circle(trunc_int(p1x), trunc_int(p1y), handle_radius);
  H.Circle(trunc_int(p2x), trunc_int(p2y), handle_radius);
  auto marker = [](double x, double y) {
    H.Box(trunc_int(x - marker_half), trunc_int(y - marker_half), trunc_int(x + marker_half),
          trunc_int(y + marker_half));
  };
  marker(p0x, p0y);
  marker(p3x, p3y);
}

// One axis of the curve without its start: a·t³ + b·t² + c·t, in double
// precision.  Calls no host function.
K bezierfunction(float a, float b, float c, float t) { return float_bits(f32(polynomial(a, b, c, t))); }
