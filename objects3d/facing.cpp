// POINT TOWARDS OBJECT: eases an object's angles toward facing another one.
// MOUSE MOVE: tilts an object about X and turns it about Y by the mouse.
#include "../plugin/commands.h"
#include "../plugin/host.h"

namespace {

constexpr double mouse_counts_per_degree = 3.5;

}  // namespace

// The host points the object straight at the target; each angle then moves
// only part of the way there, so one call per frame turns it smoothly.
void pointtowardsobject(int object, int target, int smoothing) {
  host::ensure_bound();
  float old_x = as_float(H.GetXRotationEx(object));
  float old_y = as_float(H.GetYRotationEx(object));
  float old_z = as_float(H.GetZRotationEx(object));
  float z = as_float(H.GetZPositionEx(target));  // the target is read z first
  float y = as_float(H.GetYPositionEx(target));
  float x = as_float(H.GetXPositionEx(target));
  H.Point(object, x, y, z);
  float new_x = as_float(H.GetXRotationEx(object));  // read again: Point has turned it
  float new_y = as_float(H.GetYRotationEx(object));
  float new_z = as_float(H.GetZRotationEx(object));
  float s = float(smoothing);
  float eased_x = as_float(H.CurveAngleFFFF(new_x, old_x, s));
  float eased_y = as_float(H.CurveAngleFFFF(new_y, old_y, s));
  float eased_z = as_float(H.CurveAngleFFFF(new_z, old_z, s));
  H.ZRotate(object, eased_z);  // applied Z, Y, X
  H.YRotate(object, eased_y);
  H.XRotate(object, eased_x);
}

// The X angle is clamped to −lower..upper, the lower limit applied last so it
// wins when the limits cross; it is not wrapped.  The Y angle is wrapped.
void mousemove(int object, int /*unused*/, int upper, int lower) {
  host::ensure_bound();
  float x0 = as_float(H.GetXRotationEx(object));
  // Angles and mouse reads interleave.
  float x = f32(x0 + H.GetMouseMoveY() / mouse_counts_per_degree);
  float y0 = as_float(H.GetYRotationEx(object));
  float y = as_float(H.WrapValueFF(f32(y0 + H.GetMouseMoveX() / mouse_counts_per_degree)));
  float z0 = as_float(H.GetZRotationEx(object));
  float upper_limit = float(upper);
  float lower_limit = f32(-double(lower));  // negated without overflow
  if (upper_limit < x) x = upper_limit;
  if (lower_limit > x) x = lower_limit;
  H.Rotate(object, x, y, z0);
}
