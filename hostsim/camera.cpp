// Camera module: the scene's cameras and its backdrop and automatic camera
// settings.
#include "basic3d_state.h"
#include "impl.h"

namespace hostsim {

void reset_camera() {
  scene.cameras = {{0, Camera{}}};
  scene.current_camera = 0;
  scene.auto_camera = true;
  scene.backdrop = true;
}

namespace impl {

void Camera_BackdropOff() { scene.backdrop = false; }
KFloat Camera_CameraGetXPositionEx(int camera) { return float_result(scene.cameras[camera].position.x); }
KFloat Camera_CameraGetXPositionExCurrent() { return Camera_CameraGetXPositionEx(scene.current_camera); }
KFloat Camera_CameraGetYPositionExCurrent() { return float_result(scene.cameras[scene.current_camera].position.y); }
KFloat Camera_CameraGetZPositionEx(int camera) { return float_result(scene.cameras[camera].position.z); }
KFloat Camera_CameraGetZPositionExCurrent() { return Camera_CameraGetZPositionEx(scene.current_camera); }
void Camera_SetAutoCamOff() { scene.auto_camera = false; }

}  // namespace impl
}  // namespace hostsim
