// CHECK OBJECT COLLISION AREA, GET DISTANCE, LOD DISTANCE,
// ANGLEBETWEENPOINTS, LINE3D.
//
// Every difference, square and partial sum is stored as a 32-bit float.
#include <cmath>

#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "../plugin/scratch.h"

namespace {

constexpr int root_flag = 1;

float root(float value) { return f32(std::sqrt(double(value))); }

// Strictly between -range and range: upper bound first; NaN fails.
bool within(float d, float range, float negative_range) { return d < range && d > negative_range; }

}  // namespace

// 1 when B lies inside the axis-aligned cube of half-width `range` around A.
int checkobjectcollisionarea(int a, int b, float range) {
  host::ensure_bound();
  Vec3 pa = object_position(a);
  Vec3 pb = object_position(b);
  float negative_range = f32(-double(range));
  bool inside = within(difference(pa.x, pb.x), range, negative_range) &&
                within(difference(pa.y, pb.y), range, negative_range) &&
                within(difference(pa.z, pb.z), range, negative_range);
  return inside ? 1 : 0;
}

// The squared distance, or the distance itself when `root_wanted` is 1.
K get_distance(float x1, float y1, float z1, float x2, float y2, float z2, int root_wanted) {
  host::ensure_bound();
  float dx = difference(x1, x2), dy = difference(y1, y2), dz = difference(z1, z2);
  float squared = sum(sum(square(dx), square(dy)), square(dz));
  return float_bits(root_wanted == root_flag ? root(squared) : squared);
}

// The distance between object and camera in the ground plane (heights ignored).
K lod_distance(int object, int camera) {
  host::ensure_bound();
  float ox = as_float(H.GetXPositionEx(object));  // object and camera read in turn
  float cx = as_float(H.CameraGetXPositionEx(camera));
  float oz = as_float(H.GetZPositionEx(object));
  float cz = as_float(H.CameraGetZPositionEx(camera));
  float dx = difference(ox, cx), dz = difference(oz, cz);
  return float_bits(root(sum(square(dx), square(dz))));
}

// The angle in degrees at corner A between the directions to B and to C.  The
// cosine goes to the host unclamped; coincident points give whatever the
// host's arc cosine makes of the resulting non-number.
K anglebetweenpoints(float ax, float ay, float az, float bx, float by, float bz, float cx, float cy, float cz) {
  host::ensure_bound();
  Vec3 a{ax, ay, az};
  Vec3 u = minus({bx, by, bz}, a);
  Vec3 v = minus({cx, cy, cz}, a);
  // The sums run y, x, z: that order fixes their rounding.
  float u_length = as_float(H.SqrtFF(sum(sum(square(u.y), square(u.x)), square(u.z))));
  float v_length = as_float(H.SqrtFF(sum(sum(square(v.y), square(v.x)), square(v.z))));
  float dot = sum(sum(product(v.y, u.y), product(v.x, u.x)), product(v.z, u.z));
  float cosine = f32(double(dot) / product(v_length, u_length));
  return result_bits(H.AcosFF(cosine));
}

// Draws a 2D line between the screen positions of two 3D points, from the
// second to the first, by placing a zero-size scratch cube at each.
void line3d(float x1, float y1, float z1, float x2, float y2, float z2) {
  host::ensure_bound();
  H.MakeCube(scratch::line_object, 0.0f);
  H.Position(scratch::line_object, x1, y1, z1);
  int first_x = H.GetScreenX(scratch::line_object);
  int first_y = H.GetScreenY(scratch::line_object);
  H.Position(scratch::line_object, x2, y2, z2);
  int second_y = H.GetScreenY(scratch::line_object);  // y before x for the second point
  int second_x = H.GetScreenX(scratch::line_object);
  H.Line(second_x, second_y, first_x, first_y);
  H.DeleteEx(scratch::line_object);
}
