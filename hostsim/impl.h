// The implementations behind the stand-in host's exports, one per host table
// entry: hostsim::impl::<Module>_<field>.  Each is defined in the file of the
// module state it works on.
#pragma once
#include "../plugin/fmath.h"

namespace hostsim::impl {
#define HOST_FN(module, field, decorated, Ret, Params) Ret module##_##field Params;
#include "../plugin/host_functions.inc"
#undef HOST_FN
}  // namespace hostsim::impl

namespace hostsim {
// Called by reset(): each module file clears its own state.
void reset_core();
void reset_text();
void reset_screen();
void reset_objects();
void reset_camera();
void reset_input();
void reset_images();
void reset_memblocks();
void reset_files();
void reset_sounds();
void reset_matrices();
void reset_bitmaps();
void reset_system();
}  // namespace hostsim
