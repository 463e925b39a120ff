// ALIGN_AXES, SMOOTH_ALIGN_AXES, ANGLE_AXES, SMOOTH_ANGLE_AXES: turn an object
// so that a direction fixed in it points along, or makes an angle with, a
// world direction, at once or by at most a step per call.
//
// The direction is measured by moving the object along its own axes by the
// local vector and back; the turn is about d × t, which carries d toward t.
#include "../plugin/commands.h"
#include "../plugin/host.h"

namespace {

struct Measure {
  float angle;  // degrees between the object's direction and the target
  Vec3 axis;    // d × t
};

float host_sqrt(float value) { return as_float(H.SqrtFF(value)); }

float length(Vec3 v) { return host_sqrt(f32(double(square(v.x)) + square(v.y) + square(v.z))); }

Measure measure(int object, Vec3 local, Vec3 t) {
  Vec3 start = object_position(object);
  H.MoveRight(object, local.x);
  H.MoveUp(object, local.y);
  H.Move(object, local.z);
  Vec3 d = minus(object_position(object), start);
  H.MoveRight(object, -local.x);  // moved back, not repositioned
  H.MoveUp(object, -local.y);
  H.Move(object, -local.z);

  float d_length = length(d);
  float t_length = length(t);
  float dot = f32(double(d.x) * t.x + double(d.y) * t.y + double(d.z) * t.z);
  float cosine = f32(double(dot) / product(t_length, d_length));  // not clamped
  float angle = as_float(H.AcosFF(cosine));
  Vec3 axis{sum_of_products(d.y, t.z, -d.z, t.y), sum_of_products(d.z, t.x, -d.x, t.z),
            sum_of_products(d.x, t.y, -d.y, t.x)};
  return {angle, axis};
}

// Clamps to −step..step for a positive step; a negative step always gives
// −step, its magnitude.  NaN passes unchanged.
float limit_by_step(float turn, float step) {
  if (step < turn) turn = step;
  if (-step > turn) turn = -step;
  return turn;
}

// Flag 0 always turns; above 0 only closes the angle, below 0 only opens it.
bool direction_allows(int flag, float difference) {
  if (flag > 0) return difference > 0;
  if (flag < 0) return difference < 0;
  return true;
}

void turn_about(int object, Vec3 axis, float degrees) { rotate_axis(object, axis.x, axis.y, axis.z, degrees); }

}  // namespace

void align_axes(int object, float lx, float ly, float lz, float tx, float ty, float tz) {
  host::ensure_bound();
  Measure m = measure(object, {lx, ly, lz}, {tx, ty, tz});
  turn_about(object, m.axis, m.angle);
}

void smooth_align_axes(int object, float lx, float ly, float lz, float tx, float ty, float tz, float step) {
  host::ensure_bound();
  Measure m = measure(object, {lx, ly, lz}, {tx, ty, tz});
  turn_about(object, m.axis, limit_by_step(m.angle, step));
}

// The flag is decided on the difference before any step limit.
void angle_axes(int object, float lx, float ly, float lz, float tx, float ty, float tz, float wanted, int flag) {
  host::ensure_bound();
  Measure m = measure(object, {lx, ly, lz}, {tx, ty, tz});
  float turn = difference(m.angle, wanted);
  if (direction_allows(flag, turn)) turn_about(object, m.axis, turn);
}

void smooth_angle_axes(int object, float lx, float ly, float lz, float tx, float ty, float tz, float wanted, int flag,
                       float step) {
  host::ensure_bound();
  Measure m = measure(object, {lx, ly, lz}, {tx, ty, tz});
  float turn = difference(m.angle, wanted);
  if (direction_allows(flag, turn)) turn_about(object, m.axis, limit_by_step(turn, step));
}
