// A double-precision reference for orientation tests, built from rotation
// matrices and independent of the plug-in's arithmetic.
//
// Euler angles (X, Y, Z) in degrees mean R = Rz(Z)·Ry(Y)·Rx(X); the sense of
// every elementary rotation is the right-handed one (about +Z, +X turns
// toward +Y).
#pragma once
#include <array>
#include <cmath>
#include <random>

#include "../hostsim/basic3d_state.h"
#include "plugin.h"

namespace reference {

using Mat = std::array<std::array<double, 3>, 3>;
struct Vec {
  double x, y, z;
};

constexpr double pi = 3.14159265358979323846;
constexpr double radians = pi / 180.0;

// The plug-in works in 32-bit floats, through the stand-in host's sines,
// cosines and arc tangents, each rounded to a float; the reference works in
// doubles.  One rounding moves an angle below 360 degrees by at most 2e-5
// degrees.  How the plug-in rounds is pinned by exact cases; against the
// reference, angles are compared within these tolerances:
// - a listed case, a few roundings from exact angles;
constexpr double listed_tolerance_degrees = 1e-3;
// - a random orientation, turned in floats through five rotations, sampled
//   back from the host and read back as Euler angles: the roundings add up;
constexpr double tolerance_degrees = 0.01;
// - an angle measured through an arc cosine: near 0 and 180 degrees one unit
//   in the last place of a float cosine moves the angle by up to 0.02 degrees.
constexpr double arccosine_tolerance_degrees = 0.05;

inline Mat times(const Mat& a, const Mat& b) {
  Mat m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}

inline Vec times(const Mat& m, Vec v) {
  return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
          m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

inline Mat transpose(const Mat& m) {
  Mat t{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t[i][j] = m[j][i];
  return t;
}

inline double length(Vec v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
inline double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Rotation by `degrees` about a unit-free axis direction (Rodrigues).
inline Mat about(Vec axis, double degrees) {
  double n = length(axis);
  double x = axis.x / n, y = axis.y / n, z = axis.z / n;
  double c = std::cos(degrees * radians), s = std::sin(degrees * radians), t = 1 - c;
  return {{{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
           {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
           {t * x * z - s * y, t * y * z + s * x, t * z * z + c}}};
}
inline Mat rx(double degrees) { return about({1, 0, 0}, degrees); }
inline Mat ry(double degrees) { return about({0, 1, 0}, degrees); }
inline Mat rz(double degrees) { return about({0, 0, 1}, degrees); }

inline Mat euler(double x, double y, double z) { return times(rz(z), times(ry(y), rx(x))); }

// The angle in degrees of the rotation that takes a to b.
inline double angle_between(const Mat& a, const Mat& b) {
  Mat d = times(b, transpose(a));
  double cosine = (d[0][0] + d[1][1] + d[2][2] - 1) / 2;
  return std::acos(std::fmax(-1.0, std::fmin(1.0, cosine))) / radians;
}

// The angle in degrees between two directions.
inline double angle_between(Vec a, Vec b) {
  double cosine = dot(a, b) / (length(a) * length(b));
  return std::acos(std::fmax(-1.0, std::fmin(1.0, cosine))) / radians;
}

// a − b brought into −180..180.
inline double angle_difference(double a, double b) { return std::remainder(a - b, 360.0); }

// The stand-in host's object, read back.
inline Mat orientation(int object) {
  const hostsim::Vec3& a = hostsim::scene.objects.at(object).angles;
  return euler(a.x, a.y, a.z);
}
inline Vec position(int object) {
  const hostsim::Vec3& p = hostsim::scene.objects.at(object).position;
  return {p.x, p.y, p.z};
}

// The object stands at `expected`, within `tolerance` in each coordinate.
inline void expect_position(int object, Vec expected, double tolerance) {
  Vec p = position(object);
  EXPECT_NEAR(p.x, expected.x, tolerance);
  EXPECT_NEAR(p.y, expected.y, tolerance);
  EXPECT_NEAR(p.z, expected.z, tolerance);
}

// Makes an object at a position with Euler angles.
inline void place(int object, Vec p, Vec angles) {
  hostsim::Object& o = hostsim::make_object(object, "cube", {});
  o.position = {float(p.x), float(p.y), float(p.z)};
  o.angles = {float(angles.x), float(angles.y), float(angles.z)};
}

// Random inputs from a fixed seed.
struct Random {
  std::mt19937 engine{20240611u};
  double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(engine); }
  float angle() { return float(uniform(-360, 360)); }
  Vec angles() { return {uniform(-180, 180), uniform(-90, 90), uniform(-180, 180)}; }
  Vec point(double extent) { return {uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent)}; }
  Vec direction() {
    for (;;) {
      Vec v = point(1);
      if (length(v) > 0.1) return v;
    }
  }
};

}  // namespace reference
