// Setup module: the display size, which is the screen's.
#include "basic2d_state.h"
#include "impl.h"

namespace hostsim::impl {

int Setup_GetDisplayHeight() { return screen.height; }
int Setup_GetDisplayWidth() { return screen.width; }

}  // namespace hostsim::impl
