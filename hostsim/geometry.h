// The stand-in host's geometry services around the 3D scene: the vertex-data
// lock, the limb checklist, bitmaps as 2D drawing surfaces, and the camera
// projection behind GetScreenX / GetScreenY.
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
#include <cstdint>
#include <map>
#include <vector>

#include "hostsim.h"
#include "objects.h"

namespace hostsim {

struct VertexData {
  bool locked = false;
  int object = 0, limb = 0, mode = 0;  // the last lock's arguments
  std::vector<Vec3> vertices;          // the locked limb's vertices, being edited
  int locks = 0, unlocks = 0;          // calls, for tests
};

HS_API extern VertexData vertex_data;

// Limb numbers that PerformCheckListForLimbs put in the host's checklist.
HS_API extern std::vector<int> checklist;

struct Bitmap {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // row after row, colour values as Rgb makes them
};

struct Bitmaps {
  std::map<int, Bitmap> bitmaps;
  int current = 0;  // 0: 2D drawing goes to the screen
};

HS_API extern Bitmaps bitmaps;

// The bitmap that receives 2D drawing, or null while drawing goes to the screen.
HS_API Bitmap* current_bitmap();

// The triangles MakeSphere gives an object (rows clamped to 2..256, columns
// to 3..256).
HS_API Mesh sphere_mesh(float size, int rows, int columns);

// The largest bitmap or grabbed image side the stand-in host accepts.
inline constexpr int largest_surface_side = 4096;

// GetScreenX / GetScreenY of a camera-space point.
struct ScreenPoint {
  int x = 0, y = 0;
};
struct View;
struct Point3;
HS_API ScreenPoint project(const View& view, Point3 point);

void reset_vertex_data();

}  // namespace hostsim
