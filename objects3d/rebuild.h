// Rebuilding an object from its own geometry through a scratch mesh.
#pragma once
#include "../plugin/host.h"

namespace objects3d {

// Turns the object's current geometry into `mesh`, remakes the object of the
// same number from it, textured with `image` (0 for none), and deletes the mesh.
inline void rebuild_through_mesh(int object, int mesh, int image) {
  H.MakeMeshFromObject(mesh, object);
  H.DeleteEx(object);
  H.MakeObject(object, mesh, image);
  H.DeleteMesh(mesh);
}

}  // namespace objects3d
