// The 66 command exports.  Each is a global cdecl function whose decorated
// name is written in its command-table row (command_list.inc); the build
// checks every declaration here against its row.
//
// The rule every command keeps: its host calls are part of what it does.
// The program and the host observe them (what is drawn and in which order,
// the ink left set, which values are read back and how often), so a command
// makes its host calls in a fixed order and number with exact arguments,
// even where a call looks redundant: a value asked for twice, neighbours
// read in an unusual order, a coordinate read z first.  The tests pin every
// call.  The arithmetic between the calls may be reworked; the calls may not.
//
// Type letters: L int, F float (a float result is returned as its bit
// pattern, K), D K, S char* (a text result is returned as its address,
// KText, and takes one more leading char* that is given back to the host).
#pragma once
#include "fmath.h"
#include "platform.h"

#define EC_EXPORT extern "C"

// One declaration a line, each with its command's name, grouped as the
// reference groups them into families (same titles, same order), each
// family with the file that holds it.
// clang-format off
// File names and inks: plugin/text_commands.cpp
EC_EXPORT KText EC_CDECL getshortfilename(char*, char*);  // GET SHORT FILENAME
EC_EXPORT void EC_CDECL frontink(K);  // FRONT INK
EC_EXPORT void EC_CDECL backink(K);  // BACK INK
EC_EXPORT KText EC_CDECL getfileextension(char*, char*);  // GET FILE EXTENSION

// Colour arithmetic: draw2d/colour.cpp
EC_EXPORT K EC_CDECL brightencolor(K, int);  // BRIGHTEN COLOR
EC_EXPORT K EC_CDECL coloropposite(K);  // OPPOSITE COLOR
EC_EXPORT K EC_CDECL greyscalecolor(K);  // GREYSCALE COLOR

// 2D shapes: draw2d/shapes.cpp
EC_EXPORT void EC_CDECL filledcircle(int, int, int, int, K);  // FILLED CIRCLE
EC_EXPORT void EC_CDECL hollowrect(int, int, int, int);  // HOLLOW RECT
EC_EXPORT void EC_CDECL drawdust(int, int, int, int, K);  // DRAW DUST
EC_EXPORT void EC_CDECL drawgalaxy(int, int, int, int, int, int, int, int, int, K);  // DRAW GALAXY

// GUI widgets: draw2d/widgets.cpp
EC_EXPORT void EC_CDECL makehealthbar(int, int, int, int, float, float, K, K, K, K);  // MAKE HEALTH BAR
EC_EXPORT K EC_CDECL gui_slider(int, int, int, float);  // GUI SLIDER
EC_EXPORT void EC_CDECL drawbutton(int, int, int, int, int, int, int, int, int);  // DRAW BUTTON
EC_EXPORT void EC_CDECL loadingbar(int, int, int, int, char*, int, int, int, int, int, int);  // LOADING BAR

// Bezier curves: draw2d/bezier.cpp
EC_EXPORT void EC_CDECL drawbezier(float, float, float, float, float, float, float, float, int);  // DRAWBEZIER
EC_EXPORT K EC_CDECL bezierfunction(float, float, float, float);  // BEZIERFUNCTION
EC_EXPORT void EC_CDECL drawbezierinfo(float, float, float, float, float, float, float, float);  // DRAWBEZIERINFO

// Text effects: draw2d/text_effects.cpp
EC_EXPORT K EC_CDECL typewritertext(char*, int, int, float, float);  // TYPEWRITER TEXT
EC_EXPORT void EC_CDECL text_outline(int, int, char*);  // TEXT OUTLINE
EC_EXPORT void EC_CDECL text_shadow(int, int, char*);  // TEXT SHADOW
EC_EXPORT void EC_CDECL text_underline(int, int, char*);  // TEXT UNDERLINE

// Screen fades: draw2d/fades.cpp
EC_EXPORT void EC_CDECL fadescreen(int, int);  // FADE SCREEN
EC_EXPORT void EC_CDECL defadescreen(int, int);  // DEFADE SCREEN
EC_EXPORT void EC_CDECL flashscreen(int, int);  // FLASH SCREEN

// Pyramids and reshaped primitives: objects3d/pyramid.cpp, objects3d/primitives.cpp
EC_EXPORT void EC_CDECL createobjectpyramid(int, int, int, int);  // CREATE OBJECT PYRAMID
EC_EXPORT void EC_CDECL fixobjectscale(int, float, float, float);  // FIX OBJECT SCALE
EC_EXPORT void EC_CDECL makeobjectdish(int, float, float, float);  // CREATE OBJECT DISH
EC_EXPORT void EC_CDECL createobjectcapsule(int, float, float);  // CREATE OBJECT CAPSULE

// Solid-colour textures: objects3d/textures.cpp
EC_EXPORT void EC_CDECL singlepixelimage(int, int, int, int);  // SINGLE PIXEL IMAGE
EC_EXPORT void EC_CDECL colorobjectwithtexture(int, int, int, int, int);  // COLOR OBJECT WITH TEXTURE

// Spatial queries: objects3d/queries.cpp
EC_EXPORT int EC_CDECL checkobjectcollisionarea(int, int, float);  // CHECK OBJECT COLLISION AREA
EC_EXPORT K EC_CDECL get_distance(float, float, float, float, float, float, int);  // GET DISTANCE
EC_EXPORT K EC_CDECL lod_distance(int, int);  // LOD DISTANCE
EC_EXPORT K EC_CDECL anglebetweenpoints(float, float, float, float, float, float, float, float, float);  // ANGLEBETWEENPOINTS
EC_EXPORT void EC_CDECL line3d(float, float, float, float, float, float);  // LINE3D

// Facing and axis alignment: objects3d/facing.cpp, objects3d/alignment.cpp
EC_EXPORT void EC_CDECL pointtowardsobject(int, int, int);  // POINT TOWARDS OBJECT
EC_EXPORT void EC_CDECL mousemove(int, int, int, int);  // MOUSE MOVE
EC_EXPORT void EC_CDECL align_axes(int, float, float, float, float, float, float);  // ALIGN_AXES
EC_EXPORT void EC_CDECL smooth_align_axes(int, float, float, float, float, float, float, float);  // SMOOTH_ALIGN_AXES
EC_EXPORT void EC_CDECL angle_axes(int, float, float, float, float, float, float, float, int);  // ANGLE_AXES
EC_EXPORT void EC_CDECL smooth_angle_axes(int, float, float, float, float, float, float, float, int, float);  // SMOOTH_ANGLE_AXES

// Rotations and orbit: rotation/
EC_EXPORT void EC_CDECL rotate_gx(int, float);  // ROTATE_GX
EC_EXPORT void EC_CDECL rotate_gy(int, float);  // ROTATE_GY
EC_EXPORT void EC_CDECL rotate_gz(int, float);  // ROTATE_GZ
EC_EXPORT void EC_CDECL rotate_axis(int, float, float, float, float);  // ROTATE_AXIS
EC_EXPORT void EC_CDECL rotate_lx(int, float);  // ROTATE_LX
EC_EXPORT void EC_CDECL rotate_ly(int, float);  // ROTATE_LY
EC_EXPORT void EC_CDECL rotate_lz(int, float);  // ROTATE_LZ
EC_EXPORT K EC_CDECL axis_angle_x(int, float, float, float);  // AXIS_ANGLE_X
EC_EXPORT K EC_CDECL axis_angle_y(int, float, float, float);  // AXIS_ANGLE_y
EC_EXPORT K EC_CDECL axis_angle_z(int, float, float, float);  // AXIS_ANGLE_Z
EC_EXPORT void EC_CDECL orbit(int, float, float, float, float, float, float, float);  // ORBIT

// Input and numbers: utilities/input.cpp
EC_EXPORT int EC_CDECL rndminmax(int, int);  // RND MIN MAX
EC_EXPORT int EC_CDECL singlekeycheck(int);  // SINGLE KEYCHECK
EC_EXPORT int EC_CDECL mousedoubleclick(int);  // MOUSE DOUBLECLICK
EC_EXPORT K EC_CDECL swap(float);  // SWAP

// Terrain grids: utilities/terrain.cpp
EC_EXPORT void EC_CDECL smooth_matrix(int, int, int);  // SMOOTH MATRIX
EC_EXPORT void EC_CDECL normalize_matrix(int, int);  // NORMALIZE MATRIX
EC_EXPORT void EC_CDECL randomize_matrix(int, int, float, float);  // RANDOMIZE MATRIX

// Images and normal maps: utilities/images.cpp
EC_EXPORT void EC_CDECL lockimage(int);  // LOCK IMAGE
EC_EXPORT void EC_CDECL unlockimage(int);  // UNLOCK IMAGE
EC_EXPORT void EC_CDECL writeimage(int, int, int, int, int, int, int);  // WRITE IMAGE
EC_EXPORT void EC_CDECL makenormalmap(int, int, int);  // MAKE NORMAL MAP

// Sounds: utilities/sound.cpp
EC_EXPORT void EC_CDECL savesound(int, char*);  // SAVESOUND
EC_EXPORT void EC_CDECL endsound(int);  // END SOUND

// How many commands there are: the rows of command_list.inc, counted.
inline constexpr int command_count = 0
#define EC_COMMAND(id, function, row) + 1
#include "command_list.inc"
#undef EC_COMMAND
    ;
// clang-format on

// Protocol exports.
EC_EXPORT int EC_CDECL GetNumDependencies();
EC_EXPORT const char* EC_CDECL GetDependencyID(int index);
EC_EXPORT void EC_CDECL ReceiveCoreDataPtr(void* record);
