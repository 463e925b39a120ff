// ORBIT: carries an object around a line through a centre point, turning
// its position and its orientation by the same angle about the line.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "frame.h"

using namespace rotation;

void orbit(int object, float centre_x, float centre_y, float centre_z, float axis_x, float axis_y, float axis_z,
           float degrees) {
  host::ensure_bound();
  Vec3 centre{centre_x, centre_y, centre_z};
  Vec3 offset = minus(object_position(object), centre);
  Frame frame = probe_frame(object);
  AxisRotation rotation = axis_rotation({axis_x, axis_y, axis_z}, degrees);
  Vec3 turned[] = {frame.right, frame.forward, offset};
  apply(rotation, turned);
  // The position is set before, and regardless of, the orientation's guard.
  Vec3 position = plus(centre, turned[2]);
  H.Position(object, position.x, position.y, position.z);
  set_orientation(object, {turned[0], turned[1]});
}
