// ROTATE_AXIS: turns an object in place about a world-space axis direction.
//
// The object's right and forward axes are sampled, turned with the object
// about the axis, and handed back to the host as Euler angles.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "frame.h"

using namespace rotation;

// The axis need not be unit length; a zero axis turns about world Z.
void rotate_axis(int object, float axis_x, float axis_y, float axis_z, float degrees) {
  host::ensure_bound();
  Frame frame = probe_frame(object);
  AxisRotation rotation = axis_rotation({axis_x, axis_y, axis_z}, degrees);
  Vec3 axes[] = {frame.right, frame.forward};
  apply(rotation, axes);
  set_orientation(object, {axes[0], axes[1]});
}
