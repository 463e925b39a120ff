// The implementations behind the stand-in host's exports, one per host table
// entry: hostsim::impl::<Module>_<field>.  Each is defined in its module's
// file (basic2d.cpp, basic3d.cpp, ...), in the order of the host function list.
#pragma once
#include <cstdint>
#include <string>

#include "../plugin/fmath.h"

namespace hostsim::impl {
#define HOST_FN(module, field, decorated, Ret, Params) Ret module##_##field Params;
#include "../plugin/host_functions.inc"
#undef HOST_FN
}  // namespace hostsim::impl

namespace hostsim {

inline constexpr double pi = 3.14159265358979323846;
inline constexpr double degrees = pi / 180.0;  // one degree in radians

// Adds a line to the call log.
void append_log(std::string line);

// Reports a missing resource ("object", 1) to on_missing, naming the host
// function being called; outside a host function's call it says nothing.
//
// Only a call that needs the resource to exist reports it: placing, turning,
// reading or texturing an object, adding a mesh as a limb, locking or writing
// an image, reading or copying a memblock, writing a file, asking a sound or a
// matrix.  Making a resource (MakeCube, GrabImageEx, MakeMemblock,
// OpenToWrite), deleting or closing one (DeleteEx, DeleteMesh, CloseFile) and
// asking whether one exists (GetExist, ImageGetExistEx) never report: commands
// call them on free and scratch numbers on purpose.  Image 0 as a texture
// means none; no host function here needs a bitmap or a camera to exist.  A
// vertex outside a grid or a range outside a memblock is refused as before,
// without a word.
void missing(const char* kind, int number);
void missing(std::string resource);

// `found`, after reporting it missing when it is null.
template <class T>
T* reported(T* found, const char* kind, int number) {
  if (!found) missing(kind, number);
  return found;
}

// Values of `count` bytes (1 to 4) as memblocks, sounds and files keep them:
// little-endian, lowest byte first.
inline std::uint32_t read_le(const std::uint8_t* at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}
inline void write_le(std::uint8_t* at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

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
