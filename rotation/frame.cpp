#include "frame.h"

#include "../plugin/host.h"

namespace rotation {
namespace {

constexpr float probe_step = 1.0f;  // the probe moves one unit and back

}  // namespace

float atan2_degrees(float ordinate, float abscissa) { return as_float(H.Atan2FFF(ordinate, abscissa)); }

Turn turn(Axis axis, float degrees) {
  float s = as_float(H.SinFF(degrees));
  float c = as_float(H.CosFF(degrees));
  return {axis, s, c};
}

Vec3 apply(const Turn& t, Vec3 v) {
  switch (t.axis) {
    case Axis::X:
      return {v.x, sum_of_products(t.c, v.y, -t.s, v.z), sum_of_products(t.s, v.y, t.c, v.z)};
    case Axis::Y:
      return {sum_of_products(t.c, v.x, t.s, v.z), v.y, sum_of_products(t.c, v.z, -t.s, v.x)};
    case Axis::Z:
      break;
  }
  return {sum_of_products(t.c, v.x, -t.s, v.y), sum_of_products(t.s, v.x, t.c, v.y), v.z};
}

template <int count>
void apply(const AxisRotation& rotation, Vec3 (&vectors)[count]) {
  for (Turn step : rotation.steps)  // a copy: the vectors written cannot be its sine or cosine
    for (Vec3& v : vectors) v = apply(step, v);
}
template void apply(const AxisRotation&, Vec3 (&)[2]);
template void apply(const AxisRotation&, Vec3 (&)[3]);

// alpha = atan2(ay, az) takes the axis into the XZ plane as (ax, 0, rho);
// beta = atan2(ax, rho) then takes it onto +Z.
Alignment align_to_z(Vec3 axis) {
  float alpha = atan2_degrees(axis.y, axis.z);
  Turn onto_xz = turn(Axis::X, alpha);
  float rho = sum_of_products(onto_xz.s, axis.y, onto_xz.c, axis.z);
  float beta = atan2_degrees(axis.x, rho);
  return {alpha, beta, onto_xz, turn(Axis::Y, -beta)};
}

Vec3 into_axis_frame(const Alignment& alignment, Vec3 v) {
  return apply(alignment.onto_z, apply(alignment.onto_xz, v));
}

AxisRotation axis_rotation(Vec3 axis, float degrees) {
  Alignment a = align_to_z(axis);
  return {{a.onto_xz, a.onto_z, turn(Axis::Z, degrees), turn(Axis::Y, a.beta), turn(Axis::X, -a.alpha)}};
}

Vec3 sample_right(int object, Vec3 start) {
  H.MoveRight(object, probe_step);
  Vec3 moved = object_position(object);
  H.MoveLeft(object, probe_step);  // back with MoveLeft, unlike forward's Move(−1)
  return minus(moved, start);
}

Vec3 sample_up(int object, Vec3 start) {
  H.MoveUp(object, probe_step);
  Vec3 moved = object_position(object);
  H.MoveDown(object, probe_step);  // back with MoveDown, unlike forward's Move(−1)
  return minus(moved, start);
}

Vec3 sample_forward(int object, Vec3 start) {
  H.Move(object, probe_step);
  Vec3 moved = object_position(object);
  H.Move(object, -probe_step);
  return minus(moved, start);
}

Frame probe_frame(int object) {
  Vec3 start = object_position(object);
  Vec3 right = sample_right(object, start);
  Vec3 forward = sample_forward(object, start);
  return {right, forward};
}

// right = (cZ·cY, sZ·cY, −sY) gives Z and Y; forward turned back about Z by
// Z and then about Y gives X.  When right is vertical, Z is whatever the
// host's arctangent says for the residues and X takes up the rest.
EulerAngles euler_angles(const Frame& frame) {
  const Vec3& r = frame.right;
  const Vec3& f = frame.forward;
  float z = atan2_degrees(r.y, r.x);
  Turn about_z = turn(Axis::Z, z);
  float h = sum_of_products(about_z.s, r.y, about_z.c, r.x);
  float y = difference(atan2_degrees(h, r.z), 90.0f);
  float u = sum_of_products(about_z.c, f.x, about_z.s, f.y);
  float w = sum_of_products(about_z.c, f.y, -about_z.s, f.x);
  Turn about_y = turn(Axis::Y, sum(y, 90.0f));
  float v = sum_of_products(u, about_y.c, -f.z, about_y.s);
  float x = sum(atan2_degrees(w, v), 180.0f);
  return {x, y, z};
}

// The sums are formed in double, where adding 1 to any angle the extraction
// can give is exact; NaN and infinities fail.
bool finite_angles(const EulerAngles& angles) {
  auto finite = [](float value) { return double(value) + 1.0 > double(value); };
  return finite(angles.x) && finite(angles.y) && finite(angles.z);
}

void set_orientation(int object, const Frame& frame) {
  EulerAngles angles = euler_angles(frame);
  if (!finite_angles(angles)) return;
  H.Rotate(object, angles.x, angles.y, angles.z);
}

}  // namespace rotation
