// CREATE OBJECT DISH, CREATE OBJECT CAPSULE, FIX OBJECT SCALE.
//
// Each reshapes an object by rewriting its vertex positions between one lock
// and one unlock of a limb's vertex data.
#include <cmath>

#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "../plugin/scratch.h"
#include "rebuild.h"

namespace {

constexpr int dish_rows = 16, dish_columns = 16;
constexpr int capsule_rows = 11, capsule_columns = 16;
constexpr int reshape_lock = 1;  // lock mode for the sphere reshapes
constexpr int scale_lock = 2;    // lock mode for baking a scale

struct Vertex {
  float x, y, z;
};

float factor(float percentage) { return f32(percentage / 100.0); }

// Reads every vertex of the limb, passes it through `reshape` and writes the
// result back.  The count is asked again before each vertex.
template <class Reshape>
void reshape_limb(int object, int limb, int lock_mode, Reshape reshape) {
  H.LockVertexDataForLimbCore(object, limb, lock_mode);
  for (int index = 0; index < H.GetVertexDataVertexCount(); ++index) {
    Vertex v{as_float(H.GetVertexDataPositionX(index)), as_float(H.GetVertexDataPositionY(index)),
             as_float(H.GetVertexDataPositionZ(index))};
    Vertex moved = reshape(v);
    H.SetVertexDataPosition(index, moved.x, moved.y, moved.z);
  }
  H.UnlockVertexData();
}

}  // namespace

// A bowl: the sphere's upper half is folded down inside the lower half,
// shrunk to the inner percentage.  Vertices exactly at y = 0 stay.
void makeobjectdish(int object, float size, float height_percentage, float inner_percentage) {
  host::ensure_bound();
  float inner = factor(inner_percentage);
  H.MakeSphere(object, size, dish_rows, dish_columns);
  H.Scale(object, 100.0f, height_percentage, 100.0f);
  reshape_limb(object, 0, reshape_lock, [inner](Vertex v) {
    if (!(v.y > 0)) return v;
    return Vertex{f32(v.x * inner), f32(-v.y * inner), f32(v.z * inner)};
  });
  objects3d::rebuild_through_mesh(object, scratch::dish_mesh, 0);
  H.CalculateObjectBounds(object);
}

// A capsule: the sphere's halves move apart by the length beyond the size.
// A length below the size, or one that leaves no finite stretch (NaN or
// infinite values), makes nothing.
void createobjectcapsule(int object, float length, float size) {
  host::ensure_bound();
  float stretch = f32(double(length) - size);
  if (!std::isfinite(stretch) || stretch < 0) return;
  H.MakeSphere(object, size, capsule_rows, capsule_columns);
  reshape_limb(object, 0, reshape_lock, [stretch](Vertex v) {
    float y = v.y > 0 ? f32(double(v.y) + stretch) : f32(double(v.y) - stretch);
    return Vertex{v.x, y, v.z};
  });
  objects3d::rebuild_through_mesh(object, scratch::capsule_mesh, 0);
}

// Multiplies every vertex of limbs 0 .. n - 1 by the percentages, so that the
// scale becomes part of the geometry; the screen is refreshed after each limb.
void fixobjectscale(int object, float x_percentage, float y_percentage, float z_percentage) {
  host::ensure_bound();
  float kx = factor(x_percentage), ky = factor(y_percentage), kz = factor(z_percentage);
  H.PerformCheckListForLimbs(object);
  int limbs = H.ChecklistQuantity();  // read once, before the list is emptied
  H.EmptyChecklist();
  for (int limb = 0; limb < limbs; ++limb) {
    reshape_limb(object, limb, scale_lock, [=](Vertex v) {
      return Vertex{f32(v.x * kx), f32(v.y * ky), f32(v.z * kz)};
    });
    H.Sync();
  }
  H.CalculateObjectBounds(object);
}
