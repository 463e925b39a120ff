// AXIS_ANGLE_y, AXIS_ANGLE_X, AXIS_ANGLE_Z: heading, pitch and roll of an
// object measured against an up direction, for R = Ry(heading)·Rx(pitch)·
// Rz(roll) in a frame where that direction is +Y.
//
// The sampled axes are taken into the axis frame (the direction on +Z); a
// vector (x, y, z) there is (x, z, −y) in the frame where it is +Y.  Results
// are wrapped into 0..360 by the host and returned as float bits.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "frame.h"

using namespace rotation;

namespace {

// The forward sample in the axis frame.
Vec3 forward_in_axis_frame(int object, Vec3 axis) {
  Vec3 forward = sample_forward(object, object_position(object));
  return into_axis_frame(align_to_z(axis), forward);
}

float heading(Vec3 forward) { return atan2_degrees(forward.x, -forward.y); }

}  // namespace

K axis_angle_y(int object, float axis_x, float axis_y, float axis_z) {
  host::ensure_bound();
  Vec3 f = forward_in_axis_frame(object, {axis_x, axis_y, axis_z});
  return result_bits(H.WrapValueFF(heading(f)));
}

K axis_angle_x(int object, float axis_x, float axis_y, float axis_z) {
  host::ensure_bound();
  Vec3 f = forward_in_axis_frame(object, {axis_x, axis_y, axis_z});
  float across = as_float(H.SqrtFF(sum_of_products(f.x, f.x, f.y, f.y)));
  return result_bits(H.WrapValueFF(-atan2_degrees(f.z, across)));
}

// Undoes the heading about the axis, then the tilt of forward from the axis;
// what is left of the right axis is the roll.
K axis_angle_z(int object, float axis_x, float axis_y, float axis_z) {
  host::ensure_bound();
  Frame frame = probe_frame(object);
  Alignment alignment = align_to_z({axis_x, axis_y, axis_z});
  Vec3 g = into_axis_frame(alignment, frame.right);
  Vec3 f = into_axis_frame(alignment, frame.forward);
  Turn h = turn(Axis::Z, heading(f));
  float tilt = atan2_degrees(sum_of_products(h.c, f.y, -h.s, f.x), f.z);  // −(90 + pitch)
  Turn t = turn(Axis::X, tilt);
  float p = sum_of_products(h.c, g.x, h.s, g.y);
  float across = sum_of_products(h.c, g.y, -h.s, g.x);
  float q = sum_of_products(across, t.c, -g.z, t.s);
  return result_bits(H.WrapValueFF(atan2_degrees(q, p)));
}
