// ROTATE_GX, ROTATE_GY, ROTATE_GZ: turns about the world axes.
// ROTATE_LX, ROTATE_LY, ROTATE_LZ: turns about the object's own axes.
//
// With R = Rz(Z)·Ry(Y)·Rx(X), adding to Z turns about world Z and adding to X
// about the object's own X, so those two only rewrite one Euler angle.  World
// X and Y turn the sampled frame; own Y and Z sample that axis and turn about
// it with ROTATE_AXIS.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "frame.h"

using namespace rotation;

namespace {

void turn_about_world_axis(int object, Axis axis, float degrees) {
  host::ensure_bound();
  Frame frame = probe_frame(object);
  Turn t = turn(axis, degrees);
  set_orientation(object, {apply(t, frame.right), apply(t, frame.forward)});
}

// Reads the angles Z, Y, X and returns them (no wrapping).
EulerAngles read_angles(int object) {
  float z = as_float(H.GetZRotationEx(object));
  float y = as_float(H.GetYRotationEx(object));
  float x = as_float(H.GetXRotationEx(object));
  return {x, y, z};
}

}  // namespace

void rotate_gx(int object, float degrees) { turn_about_world_axis(object, Axis::X, degrees); }

void rotate_gy(int object, float degrees) { turn_about_world_axis(object, Axis::Y, degrees); }

void rotate_gz(int object, float degrees) {
  host::ensure_bound();
  EulerAngles a = read_angles(object);
  H.Rotate(object, a.x, a.y, sum(a.z, degrees));
}

void rotate_lx(int object, float degrees) {
  host::ensure_bound();
  EulerAngles a = read_angles(object);
  H.Rotate(object, sum(a.x, degrees), a.y, a.z);
}

void rotate_ly(int object, float degrees) {
  host::ensure_bound();
  Vec3 up = sample_up(object, object_position(object));  // ROTATE_AXIS probes the position again
  rotate_axis(object, up.x, up.y, up.z, degrees);
}

void rotate_lz(int object, float degrees) {
  host::ensure_bound();
  // ROTATE_AXIS probes the position again.
  Vec3 forward = sample_forward(object, object_position(object));
  rotate_axis(object, forward.x, forward.y, forward.z, degrees);
}
