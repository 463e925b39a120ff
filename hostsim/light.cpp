// Light module: the ambient light level, kept with the screen.
#include "basic2d_state.h"
#include "impl.h"

namespace hostsim::impl {

void Light_SetAmbient(int level) { screen.ambient = level; }

}  // namespace hostsim::impl
