// Basic 3D module: how an object is shown - its colour, its alpha factor and
// whether it is locked on to the camera.
#include "impl.h"
#include "objects.h"

namespace hostsim::impl {

void Basic3D_Color(int number, K colour) {
  if (Object* object = find_object(number)) object->colour = colour;
}
void Basic3D_LockOn(int number) {
  if (Object* object = find_object(number)) object->locked_on = true;
}
void Basic3D_SetAlphaFactor(int number, float percent) {
  if (Object* object = find_object(number)) object->alpha = percent;
}

}  // namespace hostsim::impl
