// The runner's own directives, in lower case to set them apart from the
// commands and the host functions:
//
//   screen W, H                 resizes (and clears) the 2D screen
//   load image N, "file.png"    loads a PNG file as image N
//   save image N, "file.png"    writes image N as a PNG file
//   paste image N, X, Y [, SCALE]   draws image N on the screen
//   load sound N, "file.wav"    loads a WAV file as sound N
//   waveform N, X, Y, W, H      draws sound N's waveform in the box
//   matrix N, TILES_X, TILES_Z  makes a flat terrain grid (matrix) N
//   screenshot "file.png" [, "wireframe"]     the screen with the 3D scene over it
//   record "file.gif" [, STEP, LIMIT [, MS]]  records the frames presented ...
//   record end                  ... until here, and writes the animation
//   zoom N                      pictures N times their size
//   pointer ON                  shows the mouse pointer in pictures (1) or not (0)
//   caption X, Y, VALUE, ...    draws the values on the screen, one after the other
//   camera X, Y, Z [, AX, AY, AZ]   places the current camera (angles in degrees)
//   use camera N                makes camera N the current one
//   mouse X, Y [, BUTTONS]      the mouse position and button state
//   mouse move DX, DY           the mouse movement reported next
//   key CODE, STATE             a key's state (1 down, 0 up)
//   timer MS                    sets the host timer
//   frames N [, MS]             presents N frames, the timer advancing MS each (16)
//   loop [N]                    the lines after it run N times (no N: until the
//                               playground's Stop; once in ec_runner)
//   strict                      from here on a missing resource is a fault, not a warning
//   print VALUE, ...            prints numbers, texts and variables
//   expect VALUE, VALUE         stops the script unless the two are equal
//   $v = core ink FOREGROUND    the core data record's foreground (1) or background (0) ink
//   $v = calc A, "+", B         A + B (also "-", "*", "/")
//   $v = whole X                X rounded down to an integer
//   repeat N ... end repeat, repeat $V, FIRST, LAST [, STEP] ... end repeat
//                               loops, run by the runner itself (runner.cpp)
#pragma once
#include <vector>

#include "callees.h"

namespace runner {

void add_directives(std::vector<Callee>& list);

}  // namespace runner
