// Basic 3D module: object existence, placement, orientation and moves along
// the object's own axes; planes.  Cameras live here as well.
#include <cmath>

#include "geometry.h"
#include "impl.h"
#include "objects.h"

namespace hostsim {

Scene scene;

namespace {

constexpr double degrees = 3.14159265358979323846 / 180.0;

// A missing object reads as placed at the origin, unturned.
const Object& read(int number) {
  static const Object blank;
  const Object* object = find_object(number);
  return object ? *object : blank;
}

// Moves the object `distance` along its own axis (ax, ay, az).
void move_along(int number, double ax, double ay, double az, float distance) {
  Object* object = find_object(number);
  if (!object) return;
  Vec3 axis = rotate(rotation_matrix(object->angles), ax, ay, az);
  object->position.x = f32(object->position.x + double(distance) * axis.x);
  object->position.y = f32(object->position.y + double(distance) * axis.y);
  object->position.z = f32(object->position.z + double(distance) * axis.z);
}

}  // namespace

void reset_objects() {
  scene.objects.clear();
  scene.meshes.clear();
  reset_vertex_data();
}

void reset_camera() {
  scene.cameras = {{0, Camera{}}};
  scene.current_camera = 0;
  scene.auto_camera = true;
  scene.backdrop = true;
}

Object* find_object(int number) {
  auto found = scene.objects.find(number);
  return found == scene.objects.end() ? nullptr : &found->second;
}

Matrix3 rotation_matrix(const Vec3& angles) {
  double cx = std::cos(angles.x * degrees), sx = std::sin(angles.x * degrees);
  double cy = std::cos(angles.y * degrees), sy = std::sin(angles.y * degrees);
  double cz = std::cos(angles.z * degrees), sz = std::sin(angles.z * degrees);
  Matrix3 rx{{{1, 0, 0}, {0, cx, -sx}, {0, sx, cx}}};
  Matrix3 ry{{{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}}};
  Matrix3 rz{{{cz, -sz, 0}, {sz, cz, 0}, {0, 0, 1}}};
  auto times = [](const Matrix3& a, const Matrix3& b) {
    Matrix3 m{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
    return m;
  };
  return times(rz, times(ry, rx));
}

Vec3 rotate(const Matrix3& m, double x, double y, double z) {
  return {f32(m[0][0] * x + m[0][1] * y + m[0][2] * z), f32(m[1][0] * x + m[1][1] * y + m[1][2] * z),
          f32(m[2][0] * x + m[2][1] * y + m[2][2] * z)};
}

Object& make_object(int number, const std::string& kind, Mesh mesh) {
  Object& object = scene.objects[number] = Object{};
  object.kind = kind;
  object.limbs[0] = std::move(mesh);
  return object;
}

namespace impl {

int Basic3D_GetExist(int number) { return find_object(number) ? 1 : 0; }
void Basic3D_DeleteEx(int number) { scene.objects.erase(number); }

// A plane of the given width and height, upright in the object's XY plane,
// the texture's top edge at its top.
void Basic3D_MakePlane(int number, float width, float height) {
  float w = width / 2, h = height / 2;
  Vec3 a{-w, -h, 0}, b{-w, h, 0}, c{w, h, 0}, d{w, -h, 0};
  TexturePoint ta{0, 1}, tb{0, 0}, tc{1, 0}, td{1, 1};
  make_object(number, "plane", Mesh{{a, b, c, a, c, d}, {ta, tb, tc, ta, tc, td}});
}

void Basic3D_Position(int number, float x, float y, float z) {
  if (Object* object = find_object(number)) object->position = {x, y, z};
}

void Basic3D_Rotate(int number, float x, float y, float z) {
  if (Object* object = find_object(number)) object->angles = {x, y, z};
}
void Basic3D_XRotate(int number, float angle) {
  if (Object* object = find_object(number)) object->angles.x = angle;
}
void Basic3D_YRotate(int number, float angle) {
  if (Object* object = find_object(number)) object->angles.y = angle;
}
void Basic3D_ZRotate(int number, float angle) {
  if (Object* object = find_object(number)) object->angles.z = angle;
}

KFloat Basic3D_GetXPositionEx(int number) { return float_result(read(number).position.x); }
KFloat Basic3D_GetYPositionEx(int number) { return float_result(read(number).position.y); }
KFloat Basic3D_GetZPositionEx(int number) { return float_result(read(number).position.z); }
KFloat Basic3D_GetXRotationEx(int number) { return float_result(read(number).angles.x); }
KFloat Basic3D_GetYRotationEx(int number) { return float_result(read(number).angles.y); }
KFloat Basic3D_GetZRotationEx(int number) { return float_result(read(number).angles.z); }

void Basic3D_Move(int number, float distance) { move_along(number, 0, 0, 1, distance); }
void Basic3D_MoveRight(int number, float distance) { move_along(number, 1, 0, 0, distance); }
void Basic3D_MoveLeft(int number, float distance) { move_along(number, -1, 0, 0, distance); }
void Basic3D_MoveUp(int number, float distance) { move_along(number, 0, 1, 0, distance); }
void Basic3D_MoveDown(int number, float distance) { move_along(number, 0, -1, 0, distance); }

// Turns the object so that its forward axis points at the point (Z angle 0).
void Basic3D_Point(int number, float x, float y, float z) {
  Object* object = find_object(number);
  if (!object) return;
  double dx = x - double(object->position.x), dy = y - double(object->position.y),
         dz = z - double(object->position.z);
  if (dx == 0 && dy == 0 && dz == 0) return;
  object->angles = {f32(std::atan2(-dy, std::sqrt(dx * dx + dz * dz)) / degrees),
                    f32(std::atan2(dx, dz) / degrees), 0.0f};
}

}  // namespace impl

namespace impl {

void Camera_BackdropOff() { scene.backdrop = false; }
void Camera_SetAutoCamOff() { scene.auto_camera = false; }

KFloat Camera_CameraGetXPositionEx(int camera) { return float_result(scene.cameras[camera].position.x); }
KFloat Camera_CameraGetZPositionEx(int camera) { return float_result(scene.cameras[camera].position.z); }
KFloat Camera_CameraGetXPositionExCurrent() { return Camera_CameraGetXPositionEx(scene.current_camera); }
KFloat Camera_CameraGetYPositionExCurrent() { return float_result(scene.cameras[scene.current_camera].position.y); }
KFloat Camera_CameraGetZPositionExCurrent() { return Camera_CameraGetZPositionEx(scene.current_camera); }

}  // namespace impl
}  // namespace hostsim
