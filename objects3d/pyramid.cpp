// CREATE OBJECT PYRAMID.
//
// Every face is one host triangle turned into a mesh and added to the target
// object as a limb.  Scratch object, mesh and image numbers are the lowest
// free ones; errors are printed and the construction carries on.
#include "../draw2d/draw2d.h"
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "../plugin/scratch.h"
#include "rebuild.h"

namespace {

constexpr int highest_scratch_number = 65000;
constexpr int texture_flag = 1;
constexpr int texture_side = 2;
constexpr float base_corner_angles[3] = {0.0f, 120.0f, 240.0f};

struct Build {
  int object;   // the pyramid
  int scratch;  // object that each triangle is made on
  int mesh;     // mesh that carries each triangle to its limb
};

void report(const char* message) {
  H.BackdropOff();
  H.PrintCS(const_cast<char*>(message));
}

// The lowest number from 1 to 65000 that `exists` reports free, or 0.
int lowest_free(host::GetExist_fn exists) {
  for (int number = 1; number <= highest_scratch_number; ++number)
    if (exists(number) == 0) return number;
  return 0;
}

void add_face(const Build& build, int limb, Vec3 a, Vec3 b, Vec3 c) {
  H.MakeTriangle(build.scratch, a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z);
  H.MakeMeshFromObject(build.mesh, build.scratch);
  H.DeleteEx(build.scratch);
  H.AddLimb(build.object, limb, build.mesh);
  H.DeleteMesh(build.mesh);
}

// Where the scratch object ends up after turning by `angle` at the base
// height and moving `size` straight ahead.
Vec3 probe_base_corner(int scratch, float base_y, float size, float angle) {
  H.MakePlane(scratch, 0.0f, 0.0f);
  H.Position(scratch, 0.0f, base_y, 0.0f);
  H.YRotate(scratch, angle);
  H.Move(scratch, size);
  Vec3 corner = object_position(scratch);
  H.DeleteEx(scratch);
  return corner;
}

// Triangular base: corners `size` units out from the axis, 120 degrees apart.
void build_three_sides(const Build& build, int size, int half) {
  Vec3 c[3];
  for (int i = 0; i < 3; ++i) c[i] = probe_base_corner(build.scratch, float(-half), float(size), base_corner_angles[i]);
  Vec3 apex{0.0f, float(half), 0.0f};
  add_face(build, 1, c[0], c[1], c[2]);
  add_face(build, 2, c[0], c[1], apex);
  add_face(build, 3, c[0], c[2], apex);
  add_face(build, 4, c[1], c[2], apex);
}

// Square base two half sizes wide, as two triangles.
void build_four_sides(const Build& build, int half) {
  float p = float(half), n = float(-half);
  Vec3 apex{0.0f, p, 0.0f};
  add_face(build, 1, {n, n, p}, {p, n, p}, {p, n, n});
  add_face(build, 2, {n, n, p}, {n, n, n}, {p, n, n});
  add_face(build, 3, {n, n, p}, {p, n, p}, apex);
  add_face(build, 4, {p, n, p}, {p, n, n}, apex);
  add_face(build, 5, {p, n, n}, {n, n, n}, apex);
  add_face(build, 6, {n, n, n}, {n, n, p}, apex);
}

void build_zero_faces(const Build& build) {
  for (int limb = 3; limb <= 6; ++limb) add_face(build, limb, {}, {}, {});
}

// Merges the limbs into one mesh and remakes the object with a white texture
// grabbed from a small bitmap.
void apply_white_texture(int object, int mesh) {
  int image = lowest_free(H.ImageGetExistEx);
  // The image number is found before the bitmap.
  H.CreateBitmap(scratch::pyramid_bitmap, texture_side, texture_side);
  for (int x = 0; x < texture_side; ++x)
    for (int y = 0; y < texture_side; ++y) {
      draw2d::white_ink();  // set again before every dot, as the host sees it
      H.DotInk(x, y);
    }
  H.GrabImageEx(image, 0, 0, texture_side, texture_side);
  H.DeleteBitmapEx(scratch::pyramid_bitmap);
  objects3d::rebuild_through_mesh(object, mesh, image);
  H.ImageDeleteEx(image);
  H.Set(object, 1, 1, 0);
  H.CalculateObjectBounds(object);
}

}  // namespace

void createobjectpyramid(int object, int size, int sides, int texture) {
  host::ensure_bound();
  if (H.GetExist(object) == 1) report("Runtime Error! Object already exists!");  // and carries on
  H.MakePlane(object, 0.0f, 0.0f);
  H.Position(object, 0.0f, 0.0f, 0.0f);

  Build build{object, lowest_free(H.GetExist), lowest_free(H.GetMeshExist)};
  if (build.mesh == 0) report("Runtime Error! No More mesh can be made!");

  int half = size / 2;
  if (sides == 3) {
    build_three_sides(build, size, half);
  } else if (sides == 4) {
    build_four_sides(build, half);
  } else {
    H.BackdropOff();
    H.SetCursor(0, 0);
    H.PrintCS(const_cast<char*>("Syntax Error! Can not have more sides than 4 or less sides than 3"));
    build_zero_faces(build);
  }
  if (texture == texture_flag) apply_white_texture(object, build.mesh);
}
