// Basic 3D module: primitives, meshes and limbs, vertex data, settings and
// the screen projection; the System module's limb checklist; the Bitmap
// module; the Image module's grab.  See geometry.h for the conventions.
#include "geometry.h"
#include "screen.h"

#include <cmath>
#include <cstdint>

#include "impl.h"
#include "storage.h"
#include "view.h"

namespace hostsim {

VertexData vertex_data;
std::vector<int> checklist;
Bitmaps bitmaps;

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int fewest_sphere_rows = 2, fewest_sphere_columns = 3, most_sphere_steps = 256;
constexpr std::uint32_t blank_pixel = 0xFF000000u;

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
  auto corner = [h](int bits) {
    return Vec3{bits & 1 ? h : -h, bits & 2 ? h : -h, bits & 4 ? h : -h};
  };
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

// An object locked on to the camera has its position in camera space.
ScreenPoint project_current(int number) {
  Object* object = find_object(number);
  View view = current_view();
  Point3 point;
  if (object) point = {object->position.x, object->position.y, object->position.z};
  return project(view, object && object->locked_on ? point : view.to_camera(point));
}

// The pixel at (x, y) of the current drawing surface.  The screen's own
// pixels are not reachable from here: with no bitmap current it reads blank.
std::uint32_t surface_pixel(int x, int y) {
  const Bitmap* bitmap = current_bitmap();
  if (!bitmap) return pixel(x, y);
  if (x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return blank_pixel;
  return bitmap->pixels[std::size_t(y) * std::size_t(bitmap->width) + std::size_t(x)];
}

Vec3* locked_vertex(int index) {
  if (index < 0 || std::size_t(index) >= vertex_data.vertices.size()) return nullptr;
  return &vertex_data.vertices[std::size_t(index)];
}

KFloat locked_coordinate(int index, float Vec3::*axis) {
  const Vec3* vertex = locked_vertex(index);
  return float_result(vertex ? vertex->*axis : 0.0f);
}

bool acceptable_side(std::int64_t side) { return side > 0 && side <= largest_surface_side; }

}  // namespace

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

void reset_vertex_data() { vertex_data = VertexData{}; }
void reset_system() { checklist.clear(); }
void reset_bitmaps() { bitmaps = Bitmaps{}; }

Bitmap* current_bitmap() {
  auto found = bitmaps.bitmaps.find(bitmaps.current);
  return found == bitmaps.bitmaps.end() ? nullptr : &found->second;
}

ScreenPoint project(const View& view, Point3 point) {
  if (!(point.z >= near_distance)) point.z = near_distance;
  return {trunc_int(std::floor(view.screen_x(point))), trunc_int(std::floor(view.screen_y(point)))};
}

namespace impl {

void Basic3D_MakeSphere(int number, float size, int rows, int columns) {
  make_object(number, "sphere", sphere_mesh(size, rows, columns));
}
void Basic3D_MakeCube(int number, float size) { make_object(number, "cube", cube(size)); }
void Basic3D_MakeTriangle(int number, float x1, float y1, float z1, float x2, float y2, float z2,
                          float x3, float y3, float z3) {
  // The third corner takes the texture's top middle, the others its bottom corners.
  make_object(number, "triangle", Mesh{{{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}}, {{0, 1}, {1, 1}, {0.5f, 0}}});
}

void Basic3D_MakeMeshFromObject(int mesh, int number) {
  Object* object = find_object(number);
  if (!object) return;
  Mesh made;
  Vec3 scale = object->scale;
  for (const auto& [limb, part] : object->limbs)
    for (std::size_t i = 0; i < part.vertices.size(); ++i) {
      const Vec3& v = part.vertices[i];
      made.vertices.push_back({f32(v.x * (scale.x / 100.0)), f32(v.y * (scale.y / 100.0)),
                               f32(v.z * (scale.z / 100.0))});
      made.texture_points.push_back(i < part.texture_points.size() ? part.texture_points[i] : TexturePoint{});
    }
  scene.meshes[mesh] = std::move(made);
}
int Basic3D_GetMeshExist(int mesh) { return mesh_at(mesh) ? 1 : 0; }
void Basic3D_DeleteMesh(int mesh) { scene.meshes.erase(mesh); }

// Texturing keeps a copy of the image's pixels: the object keeps its look
// after the program deletes the image.
void apply_texture(Object& object, int image) {
  object.texture = image;
  auto found = storage.images.find(image);
  bool exists = found != storage.images.end();
  object.texture_width = exists ? found->second.width : 0;
  object.texture_height = exists ? found->second.height : 0;
  object.texture_pixels = exists ? found->second.pixels : std::vector<std::uint32_t>{};
}

void Basic3D_MakeObject(int number, int mesh, int image) {
  Mesh* source = mesh_at(mesh);
  if (!source) return;
  apply_texture(make_object(number, "mesh", *source), image);
}
void Basic3D_AddLimb(int number, int limb, int mesh) {
  Object* object = find_object(number);
  Mesh* source = mesh_at(mesh);
  if (object && source) object->limbs[limb] = *source;
}

void Basic3D_Scale(int number, float x, float y, float z) {
  if (Object* object = find_object(number)) object->scale = {x, y, z};
}
void Basic3D_Set(int number, int a, int b, int c) {
  if (Object* object = find_object(number)) object->settings = {a, b, c};
}
void Basic3D_SetTexture(int number, int image) {
  if (Object* object = find_object(number)) apply_texture(*object, image);
}
void Basic3D_CalculateObjectBounds(int number) {
  if (Object* object = find_object(number)) ++object->bounds_calculated;
}

int Basic3D_GetScreenX(int number) { return project_current(number).x; }
int Basic3D_GetScreenY(int number) { return project_current(number).y; }

void Basic3D_LockVertexDataForLimbCore(int number, int limb, int mode) {
  Mesh* locked = limb_at(number, limb);
  vertex_data.locked = true;
  vertex_data.object = number, vertex_data.limb = limb, vertex_data.mode = mode;
  vertex_data.vertices = locked ? locked->vertices : std::vector<Vec3>{};
  ++vertex_data.locks;
}

void Basic3D_UnlockVertexData() {
  ++vertex_data.unlocks;
  if (!vertex_data.locked) return;
  if (Mesh* limb = limb_at(vertex_data.object, vertex_data.limb))
    limb->vertices = vertex_data.vertices;
  vertex_data.locked = false;
  vertex_data.vertices.clear();
}

int Basic3D_GetVertexDataVertexCount() { return static_cast<int>(vertex_data.vertices.size()); }

KFloat Basic3D_GetVertexDataPositionX(int index) { return locked_coordinate(index, &Vec3::x); }
KFloat Basic3D_GetVertexDataPositionY(int index) { return locked_coordinate(index, &Vec3::y); }
KFloat Basic3D_GetVertexDataPositionZ(int index) { return locked_coordinate(index, &Vec3::z); }

void Basic3D_SetVertexDataPosition(int index, float x, float y, float z) {
  if (Vec3* vertex = locked_vertex(index)) *vertex = {x, y, z};
}

void Basic3D_PerformCheckListForLimbs(int number) {
  checklist.clear();
  if (Object* object = find_object(number))
    for (const auto& [limb, mesh] : object->limbs) checklist.push_back(limb);
}
int System_ChecklistQuantity() { return static_cast<int>(checklist.size()); }
void System_EmptyChecklist() { checklist.clear(); }

// A new bitmap is blank and becomes the surface that 2D drawing goes to.
// Number 0 is the screen itself and is not made.
void Bitmap_CreateBitmap(int number, int width, int height) {
  if (number <= 0 || !acceptable_side(width) || !acceptable_side(height)) return;
  std::size_t count = std::size_t(width) * std::size_t(height);
  bitmaps.bitmaps[number] = Bitmap{width, height, std::vector<std::uint32_t>(count, blank_pixel)};
  bitmaps.current = number;
}

// Deleting the current bitmap sends 2D drawing back to the screen.
void Bitmap_DeleteBitmapEx(int number) {
  bitmaps.bitmaps.erase(number);
  if (bitmaps.current == number) bitmaps.current = 0;
}

// Copies the region [left, right) x [top, bottom) of the current surface;
// parts outside it read blank.  An empty or oversized region makes no image.
void Image_GrabImageEx(int image, int left, int top, int right, int bottom) {
  std::int64_t width = std::int64_t(right) - left, height = std::int64_t(bottom) - top;
  if (!acceptable_side(width) || !acceptable_side(height)) return;
  Image grabbed;
  grabbed.width = int(width), grabbed.height = int(height);
  for (std::int64_t y = top; y < bottom; ++y)
    for (std::int64_t x = left; x < right; ++x)
      grabbed.pixels.push_back(surface_pixel(int(x), int(y)));
  storage.images[image] = std::move(grabbed);
}

}  // namespace impl
}  // namespace hostsim
