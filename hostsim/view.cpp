// The camera projection; see view.h.
#include "view.h"

#include <cmath>

#include "basic2d_state.h"
#include "impl.h"

namespace hostsim {
namespace {

constexpr double half_field_of_view = 30.0 * pi / 180.0;

// The display size, from the Setup module when it knows one.
int display_side(int reported, int fallback) { return reported > 0 ? reported : fallback; }

// Row-vector product: the transpose of the rotation applied.
Point3 turned_back(const Matrix3& r, double x, double y, double z) {
  return {r[0][0] * x + r[1][0] * y + r[2][0] * z, r[0][1] * x + r[1][1] * y + r[2][1] * z,
          r[0][2] * x + r[1][2] * y + r[2][2] * z};
}

}  // namespace

Point3 View::to_camera(const Point3& world) const {
  return turned_back(turn, world.x - eye.x, world.y - eye.y, world.z - eye.z);
}

Point3 View::turned_to_camera(const Point3& direction) const {
  return turned_back(turn, direction.x, direction.y, direction.z);
}

View camera_view(const Camera& camera, int width, int height) {
  View view;
  view.turn = rotation_matrix(camera.angles);
  view.eye = {camera.position.x, camera.position.y, camera.position.z};
  view.focal = height / 2.0 / std::tan(half_field_of_view);
  view.centre_x = width / 2.0;
  view.centre_y = height / 2.0;
  return view;
}

View current_view() {
  auto camera = scene.cameras.find(scene.current_camera);
  return camera_view(camera == scene.cameras.end() ? Camera{} : camera->second,
                     display_side(impl::Setup_GetDisplayWidth(), default_display_width),
                     display_side(impl::Setup_GetDisplayHeight(), default_display_height));
}

Point3 object_point(const View& view, const Object& object, const Matrix3& turn, const Vec3& v) {
  double x = v.x * (object.scale.x / 100.0), y = v.y * (object.scale.y / 100.0), z = v.z * (object.scale.z / 100.0);
  Point3 placed{turn[0][0] * x + turn[0][1] * y + turn[0][2] * z + object.position.x,
                turn[1][0] * x + turn[1][1] * y + turn[1][2] * z + object.position.y,
                turn[2][0] * x + turn[2][1] * y + turn[2][2] * z + object.position.z};
  return object.locked_on ? placed : view.to_camera(placed);
}

}  // namespace hostsim
