// State of the stand-in 3D module: the scene, objects with a position, Euler
// angles and limbs of triangle meshes; free meshes; the cameras (the camera
// module's state, kept in the scene); the vertex-data lock.
//
// Orientation: an object with Euler angles (X, Y, Z) in degrees has
// R = Rz(Z)·Ry(Y)·Rx(X), with Rx(t): (x, c·y − s·z, s·y + c·z),
// Ry(t): (c·x + s·z, y, c·z − s·x), Rz(t): (c·x − s·y, s·x + c·y, z).
// Its right, up and forward axes are R·(1,0,0), R·(0,1,0), R·(0,0,1).
//
// Primitives are triangle lists centred on the object's origin:
// - MakeSphere(size, rows, columns): radius size / 2; rows latitude bands
//   from the top pole (+Y) down, columns longitude steps starting on +Z and
//   turning towards +X.  Every vertex is computed from its ring and column, so
//   the vertices that triangles share are equal, the equator ring (even row
//   counts) lies exactly at y = 0 and the poles exactly on the Y axis.
// - MakeCube(size): 12 triangles spanning -size / 2 .. size / 2.
// - MakeMeshFromObject takes every limb's vertices, in limb order, with the
//   object's scale applied to them; the object's position and angles are not.
// Texture points: a plane and each cube face show the whole image, upright; a
// sphere wraps it round once, its top edge on the top pole; a triangle shows
// the image's top middle at its third corner and its bottom corners at the
// first two.  Meshes and limbs keep the texture points of what they copy, and
// editing vertex positions leaves them alone.
//
// Vertex data: LockVertexDataForLimbCore copies the limb's vertices; the
// position calls read and write that copy (indices outside it read 0 and are
// not written); UnlockVertexData writes the copy back to the limb, if the
// object and limb still exist.
//
// GetScreenX / GetScreenY: the camera projection of view.h, rounded down;
// depths below the near distance are taken at the near distance, and results
// beyond the integer range saturate.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "../plugin/fmath.h"
#include "hostsim.h"

namespace hostsim {

using ::Vec3;  // three 32-bit floats, as the plug-in's

// A point of a texture image: (0, 0) its top-left corner, (1, 1) its
// bottom-right one; beyond that the image repeats.
struct TexturePoint {
  float u = 0, v = 0;
};

// A triangle list: every three vertices make one triangle.  The texture
// points go with the vertices of the same index; a vertex without one reads
// the image's top-left corner.
struct Mesh {
  std::vector<Vec3> vertices;
  std::vector<TexturePoint> texture_points = {};
};

struct Object {
  std::string kind;  // "plane", "cube", "sphere", "triangle", "mesh"
  Vec3 position;
  Vec3 angles;                // Euler angles in degrees, as set
  Vec3 scale{100, 100, 100};  // percentages
  std::map<int, Mesh> limbs;  // limb 0 is the object's own mesh
  K colour = 0xFFFFFFFF;
  float alpha = 100;
  bool locked_on = false;
  int texture = 0;                            // image number, 0 for none
  int texture_width = 0, texture_height = 0;  // the image's size when it was applied
  std::vector<std::uint32_t> texture_pixels;  // the image's pixels when it was applied
  std::vector<int> settings;                  // the last Set call's three values
  int bounds_calculated = 0;                  // CalculateObjectBounds calls
};

struct Camera {
  Vec3 position;
  Vec3 angles;
};

struct Scene {
  std::map<int, Object> objects;
  std::map<int, Mesh> meshes;
  std::map<int, Camera> cameras{{0, Camera{}}};
  int current_camera = 0;
  bool auto_camera = true;
  bool backdrop = true;
};

HS_API extern Scene scene;

// Rotation matrix of Euler angles in degrees, in double precision.
using Matrix3 = std::array<std::array<double, 3>, 3>;
HS_API Matrix3 rotation_matrix(const Vec3& angles);
HS_API Vec3 rotate(const Matrix3& m, double x, double y, double z);

// The object with that number, or null.
HS_API Object* find_object(int number);

// Makes (or replaces) an object of the given kind with limb 0 = mesh.
HS_API Object& make_object(int number, const std::string& kind, Mesh mesh);

// The triangles MakeSphere gives an object (rows clamped to 2..256, columns
// to 3..256).
HS_API Mesh sphere_mesh(float size, int rows, int columns);

struct VertexData {
  bool locked = false;
  int object = 0, limb = 0, mode = 0;  // the last lock's arguments
  std::vector<Vec3> vertices;          // the locked limb's vertices, being edited
  int locks = 0, unlocks = 0;          // calls, for tests
};

HS_API extern VertexData vertex_data;

}  // namespace hostsim
