// The stand-in host's camera projection, one for everything that shows the
// 3D scene: GetScreenX / GetScreenY and the screen's renderer.
//
// The camera sits at its position with its Euler angles (same convention as
// objects) and looks along its forward axis: with angles (0, 0, 0) along +Z,
// +Y up and +X to the right.  A point at view depth d (forward distance) and
// lateral offsets (right, up) is shown at (cx + f·right / d, cy − f·up / d),
// where (cx, cy) is the display centre and f = (display height / 2) /
// tan(30°), a 60-degree vertical field of view.  Nothing nearer than the near
// distance is drawn.
//
// An object is placed by scaling its vertices (percentages), turning them by
// its angles and adding its position.  An object locked on to the camera is
// placed that way in camera space: it rides along with the camera.
#pragma once
#include "basic3d_state.h"
#include "hostsim.h"

namespace hostsim {

struct Point3 {
  double x = 0, y = 0, z = 0;
};

inline constexpr double near_distance = 0.001;

struct View {
  Matrix3 turn{};  // the camera's rotation
  Point3 eye;
  double focal = 0, centre_x = 0, centre_y = 0;

  // A world point relative to the eye, turned back by the camera's angles.
  Point3 to_camera(const Point3& world) const;
  // A world direction turned into camera space.
  Point3 turned_to_camera(const Point3& direction) const;
  // The screen position of a camera-space point at least the near distance deep.
  double screen_x(const Point3& point) const { return centre_x + focal * point.x / point.z; }
  double screen_y(const Point3& point) const { return centre_y - focal * point.y / point.z; }
};

// The view of the camera over a display of the given size.
HS_API View camera_view(const Camera& camera, int width, int height);
// The current camera's view over the display.
HS_API View current_view();

// Vertex v of the object in camera space; `turn` is the object's
// rotation_matrix(angles).
HS_API Point3 object_point(const View& view, const Object& object, const Matrix3& turn, const Vec3& v);

}  // namespace hostsim
