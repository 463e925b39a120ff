// FADE SCREEN, DEFADE SCREEN, FLASH SCREEN: a white, display-sized plane
// locked on to the camera, its alpha factor stepped one percent per presented
// frame.  The plane is built on first use and left for the program.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "draw2d.h"

namespace {

constexpr int ambient_level = 100;
constexpr double plane_offset_x = 200.0;
constexpr double plane_offset_z = 100.0;
constexpr float plane_tilt = 16.0f;
constexpr int opaque = 100;

// Sets the ambient light and makes sure the plane exists; an existing object
// with that number is used as it is.
void prepare_plane(int object) {
  H.SetAmbient(ambient_level);
  if (H.GetExist(object)) return;
  H.DeleteEx(object);  // deletes the number found free: deliberate
  H.SetAutoCamOff();
  int height = H.GetDisplayHeight();  // height before width
  int width = H.GetDisplayWidth();
  H.MakePlane(object, f32(width), f32(height));
  H.Color(object, draw2d::white());
  float z = as_float(H.CameraGetZPositionExCurrent());  // the camera is read z first
  float y = as_float(H.CameraGetYPositionExCurrent());
  float x = as_float(H.CameraGetXPositionExCurrent());
  H.Position(object, f32(x + plane_offset_x), y, f32(z + plane_offset_z));
  H.LockOn(object);
  H.XRotate(object, plane_tilt);
}

// Alpha factors from `first` to `last` inclusive, one frame and one sleep
// each.  A negative delay sleeps 0 ms.
void step_alpha(int object, int delay, int first, int last) {
  int direction = first <= last ? 1 : -1;
  for (int alpha = first;; alpha += direction) {
    H.SetAlphaFactor(object, f32(alpha));
    H.Sync();
    platform::sleep_ms(delay);
    if (alpha == last) break;
  }
}

}  // namespace

// Ends at alpha 99, covering the view.
void fadescreen(int object, int delay) {
  host::ensure_bound();
  prepare_plane(object);
  step_alpha(object, delay, 0, opaque - 1);
}

void defadescreen(int object, int delay) {
  host::ensure_bound();
  prepare_plane(object);
  step_alpha(object, delay, opaque, 0);
}

// The fade and then the de-fade: a single step at 100 at the peak.
void flashscreen(int object, int delay) {
  host::ensure_bound();
  prepare_plane(object);
  step_alpha(object, delay, 0, opaque - 1);
  step_alpha(object, delay, opaque, 0);
}
