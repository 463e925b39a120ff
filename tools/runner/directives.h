// The runner's own directives, in lower case to set them apart from the
// commands and the host functions:
//
//   screen W, H                 resizes (and clears) the 2D screen
//   load image N, "file.png"    loads a PNG file as image N
//   save image N, "file.png"    writes image N as a PNG file
//   load sound N, "file.wav"    loads a WAV file as sound N
//   matrix N, TILES_X, TILES_Z  makes a flat terrain grid (matrix) N
//   screenshot "file.png"       the screen with the 3D scene over it as a wireframe
//   camera X, Y, Z [, AX, AY, AZ]   places the current camera (angles in degrees)
//   mouse X, Y [, BUTTONS]      the mouse position and button state
//   mouse move DX, DY           the mouse movement reported next
//   key CODE, STATE             a key's state (1 down, 0 up)
//   timer MS                    sets the host timer
//   frames N [, MS]             presents N frames, the timer advancing MS each (16)
//   loop [N]                    the lines after it run N times (no N: until the
//                               playground's Stop; once in ec_runner)
//   print VALUE, ...            prints numbers, texts and variables
//   expect VALUE, VALUE         stops the script unless the two are equal
#pragma once
#include <vector>

#include "callees.h"

namespace runner {

void add_directives(std::vector<Callee>& list);

}  // namespace runner
