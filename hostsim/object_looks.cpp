// Basic 3D module: how an object is shown - its colour, its alpha factor and
// whether it is locked on to the camera.
#include "impl.h"
#include "objects.h"

namespace hostsim::impl {

namespace {
Object* find(int number) {
  auto found = scene.objects.find(number);
  return found == scene.objects.end() ? nullptr : &found->second;
}
}  // namespace

void Basic3D_Color(int number, K colour) {
  if (Object* object = find(number)) object->colour = colour;
}
void Basic3D_LockOn(int number) {
  if (Object* object = find(number)) object->locked_on = true;
}
void Basic3D_SetAlphaFactor(int number, float percent) {
  if (Object* object = find(number)) object->alpha = percent;
}

}  // namespace hostsim::impl
