// Basic 3D module: objects and their limbs, primitives and meshes, placement,
// orientation and moves along the object's own axes, looks, vertex data and
// the screen projection.  See basic3d_state.h for the conventions.
#include <cmath>
#include <cstdint>

#include "basic3d_state.h"
#include "impl.h"
#include "memblocks_state.h"
#include "system_state.h"
#include "view.h"

namespace hostsim {

Scene scene;
VertexData vertex_data;

namespace {

constexpr int fewest_sphere_rows = 2, fewest_sphere_columns = 3, most_sphere_steps = 256;

Mesh* mesh_at(int number) {
  auto found = scene.meshes.find(number);
  return found == scene.meshes.end() ? nullptr : &found->second;
}

Mesh* limb_at(int object, int limb) {
  Object* found = find_object(object);
  if (!found) return nullptr;
  auto at = found->limbs.find(limb);
  return at == found->limbs.end() ? nullptr : &at->second;
}

// The object, mesh or limb a host function needs; a missing one is reported.
Object* need_object(int number) { return reported(find_object(number), "object", number); }
Mesh* need_mesh(int number) { return reported(mesh_at(number), "mesh", number); }
Mesh* need_limb(int object, int limb) {
  if (!need_object(object)) return nullptr;
  Mesh* found = limb_at(object, limb);
  if (!found) missing("limb " + std::to_string(limb) + " of object " + std::to_string(object));
  return found;
}

// A missing object reads as placed at the origin, unturned.
const Object& read(int number) {
  static const Object blank;
  const Object* object = need_object(number);
  return object ? *object : blank;
}

// Moves the object `distance` along its own axis (ax, ay, az).
void move_along(int number, double ax, double ay, double az, float distance) {
  Object* object = need_object(number);
  if (!object) return;
  Vec3 axis = rotate(rotation_matrix(object->angles), ax, ay, az);
  object->position.x = f32(object->position.x + double(distance) * axis.x);
  object->position.y = f32(object->position.y + double(distance) * axis.y);
  object->position.z = f32(object->position.z + double(distance) * axis.z);
}

// A vertex with its texture point.
struct Corner {
  Vec3 position;
  TexturePoint texture;
};

void add_triangle(Mesh& mesh, const Corner& a, const Corner& b, const Corner& c) {
  mesh.vertices.insert(mesh.vertices.end(), {a.position, b.position, c.position});
  mesh.texture_points.insert(mesh.texture_points.end(), {a.texture, b.texture, c.texture});
}

int clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// Vertex on ring `ring` (0 = top pole) and column `column` of a sphere; the
// texture wraps round it once, its top edge on the top pole.
Corner sphere_point(double radius, int rows, int columns, int ring, int column) {
  double latitude = pi * (rows - 2 * ring) / (2.0 * rows);  // exactly 0 on the equator
  bool pole = ring == 0 || ring == rows;
  double across = pole ? 0.0 : radius * std::cos(latitude);
  double longitude = 2 * pi * (column % columns) / columns;
  return {{f32(across * std::sin(longitude)), f32(radius * std::sin(latitude)), f32(across * std::cos(longitude))},
          {f32(double(column) / columns), f32(double(ring) / rows)}};
}

Mesh cube(float size) {
  float h = size / 2;
  auto corner = [h](int bits) { return Vec3{bits & 1 ? h : -h, bits & 2 ? h : -h, bits & 4 ? h : -h}; };
  static constexpr int faces[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1},
                                      {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};
  static constexpr TexturePoint face_corners[4] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};  // the whole image on each face
  Mesh mesh;
  for (const auto& face : faces) {
    Corner c[4];
    for (int i = 0; i < 4; ++i) c[i] = {corner(face[i]), face_corners[i]};
    add_triangle(mesh, c[0], c[1], c[2]);
    add_triangle(mesh, c[0], c[2], c[3]);
  }
  return mesh;
}

// GetScreenX / GetScreenY of a camera-space point.
struct ScreenPoint {
  int x = 0, y = 0;
};

ScreenPoint project(const View& view, Point3 point) {
  if (!(point.z >= near_distance)) point.z = near_distance;
  return {trunc_int(std::floor(view.screen_x(point))), trunc_int(std::floor(view.screen_y(point)))};
}

// An object locked on to the camera has its position in camera space.
ScreenPoint project_current(int number) {
  Object* object = need_object(number);
  View view = current_view();
  Point3 point;
  if (object) point = {object->position.x, object->position.y, object->position.z};
  return project(view, object && object->locked_on ? point : view.to_camera(point));
}

Vec3* locked_vertex(int index) {
  if (index < 0 || std::size_t(index) >= vertex_data.vertices.size()) return nullptr;
  return &vertex_data.vertices[std::size_t(index)];
}

KFloat locked_coordinate(int index, float Vec3::*axis) {
  const Vec3* vertex = locked_vertex(index);
  return float_result(vertex ? vertex->*axis : 0.0f);
}

// Texturing keeps a copy of the image's pixels: the object keeps its look
// after the program deletes the image.
void apply_texture(Object& object, int image) {
  object.texture = image;
  auto found = storage.images.find(image);
  bool exists = found != storage.images.end();
  if (!exists && image != 0) missing("image", image);
  object.texture_width = exists ? found->second.width : 0;
  object.texture_height = exists ? found->second.height : 0;
  object.texture_pixels = exists ? found->second.pixels : std::vector<std::uint32_t>{};
}

}  // namespace

void reset_objects() {
  scene.objects.clear();
  scene.meshes.clear();
  vertex_data = VertexData{};
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

Mesh sphere_mesh(float size, int rows, int columns) {
  rows = clamp(rows, fewest_sphere_rows, most_sphere_steps);
  columns = clamp(columns, fewest_sphere_columns, most_sphere_steps);
  double radius = size / 2.0;
  Mesh mesh;
  for (int ring = 0; ring < rows; ++ring)
    for (int column = 0; column < columns; ++column) {
      Corner a = sphere_point(radius, rows, columns, ring, column);
      Corner b = sphere_point(radius, rows, columns, ring + 1, column);
      Corner c = sphere_point(radius, rows, columns, ring + 1, column + 1);
      Corner d = sphere_point(radius, rows, columns, ring, column + 1);
      if (ring != rows - 1) add_triangle(mesh, a, b, c);  // the bottom band's is degenerate
      if (ring != 0) add_triangle(mesh, a, c, d);         // the top band's is degenerate
    }
  return mesh;
}

namespace impl {

void Basic3D_AddLimb(int number, int limb, int mesh) {
  Object* object = need_object(number);
  Mesh* source = need_mesh(mesh);
  if (object && source) object->limbs[limb] = *source;
}
void Basic3D_CalculateObjectBounds(int number) {
  if (Object* object = need_object(number)) ++object->bounds_calculated;
}
void Basic3D_Color(int number, K colour) {
  if (Object* object = need_object(number)) object->colour = colour;
}
void Basic3D_DeleteEx(int number) { scene.objects.erase(number); }
void Basic3D_DeleteMesh(int mesh) { scene.meshes.erase(mesh); }
int Basic3D_GetExist(int number) { return find_object(number) ? 1 : 0; }
int Basic3D_GetMeshExist(int mesh) { return mesh_at(mesh) ? 1 : 0; }
int Basic3D_GetScreenX(int number) { return project_current(number).x; }
int Basic3D_GetScreenY(int number) { return project_current(number).y; }

KFloat Basic3D_GetVertexDataPositionX(int index) { return locked_coordinate(index, &Vec3::x); }
KFloat Basic3D_GetVertexDataPositionY(int index) { return locked_coordinate(index, &Vec3::y); }
KFloat Basic3D_GetVertexDataPositionZ(int index) { return locked_coordinate(index, &Vec3::z); }
int Basic3D_GetVertexDataVertexCount() { return static_cast<int>(vertex_data.vertices.size()); }

KFloat Basic3D_GetXPositionEx(int number) { return float_result(read(number).position.x); }
KFloat Basic3D_GetXRotationEx(int number) { return float_result(read(number).angles.x); }
KFloat Basic3D_GetYPositionEx(int number) { return float_result(read(number).position.y); }
KFloat Basic3D_GetYRotationEx(int number) { return float_result(read(number).angles.y); }
KFloat Basic3D_GetZPositionEx(int number) { return float_result(read(number).position.z); }
KFloat Basic3D_GetZRotationEx(int number) { return float_result(read(number).angles.z); }

void Basic3D_LockOn(int number) {
  if (Object* object = need_object(number)) object->locked_on = true;
}

void Basic3D_LockVertexDataForLimbCore(int number, int limb, int mode) {
  Mesh* locked = need_limb(number, limb);
  vertex_data.locked = true;
  vertex_data.object = number, vertex_data.limb = limb, vertex_data.mode = mode;
  vertex_data.vertices = locked ? locked->vertices : std::vector<Vec3>{};
  ++vertex_data.locks;
}

void Basic3D_MakeCube(int number, float size) { make_object(number, "cube", cube(size)); }

void Basic3D_MakeMeshFromObject(int mesh, int number) {
  Object* object = need_object(number);
  if (!object) return;
  Mesh made;
  Vec3 scale = object->scale;
  for (const auto& [limb, part] : object->limbs)
    for (std::size_t i = 0; i < part.vertices.size(); ++i) {
      const Vec3& v = part.vertices[i];
      made.vertices.push_back(
          {f32(v.x * (scale.x / 100.0)), f32(v.y * (scale.y / 100.0)), f32(v.z * (scale.z / 100.0))});
      made.texture_points.push_back(i < part.texture_points.size() ? part.texture_points[i] : TexturePoint{});
    }
  scene.meshes[mesh] = std::move(made);
}

void Basic3D_MakeObject(int number, int mesh, int image) {
  Mesh* source = need_mesh(mesh);
  if (!source) return;
  apply_texture(make_object(number, "mesh", *source), image);
}

// A plane of the given width and height, upright in the object's XY plane,
// the texture's top edge at its top.
void Basic3D_MakePlane(int number, float width, float height) {
  float w = width / 2, h = height / 2;
  Vec3 a{-w, -h, 0}, b{-w, h, 0}, c{w, h, 0}, d{w, -h, 0};
  TexturePoint ta{0, 1}, tb{0, 0}, tc{1, 0}, td{1, 1};
  make_object(number, "plane", Mesh{{a, b, c, a, c, d}, {ta, tb, tc, ta, tc, td}});
}

void Basic3D_MakeSphere(int number, float size, int rows, int columns) {
  make_object(number, "sphere", sphere_mesh(size, rows, columns));
}

void Basic3D_MakeTriangle(int number, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                          float z3) {
  // The third corner takes the texture's top middle, the others its bottom corners.
  make_object(number, "triangle", Mesh{{{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}}, {{0, 1}, {1, 1}, {0.5f, 0}}});
}

void Basic3D_Move(int number, float distance) { move_along(number, 0, 0, 1, distance); }
void Basic3D_MoveDown(int number, float distance) { move_along(number, 0, -1, 0, distance); }
void Basic3D_MoveLeft(int number, float distance) { move_along(number, -1, 0, 0, distance); }
void Basic3D_MoveRight(int number, float distance) { move_along(number, 1, 0, 0, distance); }
void Basic3D_MoveUp(int number, float distance) { move_along(number, 0, 1, 0, distance); }

void Basic3D_PerformCheckListForLimbs(int number) {
  checklist.clear();
  if (Object* object = need_object(number))
    for (const auto& [limb, mesh] : object->limbs) checklist.push_back(limb);
}

// Turns the object so that its forward axis points at the point (Z angle 0).
void Basic3D_Point(int number, float x, float y, float z) {
  Object* object = need_object(number);
  if (!object) return;
  double dx = x - double(object->position.x), dy = y - double(object->position.y), dz = z - double(object->position.z);
  if (dx == 0 && dy == 0 && dz == 0) return;
  object->angles = {f32(std::atan2(-dy, std::sqrt(dx * dx + dz * dz)) / degrees), f32(std::atan2(dx, dz) / degrees),
                    0.0f};
}

void Basic3D_Position(int number, float x, float y, float z) {
  if (Object* object = need_object(number)) object->position = {x, y, z};
}
void Basic3D_Rotate(int number, float x, float y, float z) {
  if (Object* object = need_object(number)) object->angles = {x, y, z};
}
void Basic3D_Scale(int number, float x, float y, float z) {
  if (Object* object = need_object(number)) object->scale = {x, y, z};
}
void Basic3D_Set(int number, int a, int b, int c) {
  if (Object* object = need_object(number)) object->settings = {a, b, c};
}
void Basic3D_SetAlphaFactor(int number, float percent) {
  if (Object* object = need_object(number)) object->alpha = percent;
}
void Basic3D_SetTexture(int number, int image) {
  if (Object* object = need_object(number)) apply_texture(*object, image);
}
void Basic3D_SetVertexDataPosition(int index, float x, float y, float z) {
  if (Vec3* vertex = locked_vertex(index)) *vertex = {x, y, z};
}

void Basic3D_UnlockVertexData() {
  ++vertex_data.unlocks;
  if (!vertex_data.locked) return;
  if (Mesh* limb = limb_at(vertex_data.object, vertex_data.limb)) limb->vertices = vertex_data.vertices;
  vertex_data.locked = false;
  vertex_data.vertices.clear();
}

void Basic3D_XRotate(int number, float angle) {
  if (Object* object = need_object(number)) object->angles.x = angle;
}
void Basic3D_YRotate(int number, float angle) {
  if (Object* object = need_object(number)) object->angles.y = angle;
}
void Basic3D_ZRotate(int number, float angle) {
  if (Object* object = need_object(number)) object->angles.z = angle;
}

}  // namespace impl
}  // namespace hostsim
