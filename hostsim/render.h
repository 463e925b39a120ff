// The stand-in host's picture of what it presents: the 2D screen with the 3D
// scene drawn over it through the current camera (view.h).
//
// Solid: every object's triangles filled, nearer surfaces hiding farther ones
// (a depth buffer of 1 / depth, perspective-correct).  A surface shows the
// object's colour, or its texture (nearest texel, repeating) tinted by that
// colour, lit by the ambient level and one directional light fixed in the
// world: brightness = a + (1 − a)·max(0, n·l), a the ambient level as a
// fraction, n the surface normal, l the direction towards the light.  Objects
// are lit flat, each triangle from both sides; a terrain grid is lit at its
// vertices from the normals it holds, the brightness blended across each
// tile's two triangles.  An object whose alpha factor is below 100 is drawn
// after the others and mixed with what lies behind it in that proportion; at
// 0 or below it is not drawn.
//
// Wireframe: every triangle's edges and every grid line in the object's
// colour (a textured object in its texture's first pixel), without hiding.
//
// Terrain grids lie from the origin, vertex (x, z) at (25 x, height, 25 z).
// Pixels are filled where their centres lie inside a triangle; a centre on an
// edge belongs to one of the two triangles that share it.  Triangles are cut
// at the near distance and beyond a band round the screen, and their corners
// snapped to 1/256 of a pixel, so that the picture is the same on every
// machine.
#pragma once
#include <cstdint>
#include <vector>

#include "hostsim.h"

namespace hostsim {

enum class Look { solid, wireframe };

// Unit vector from the scene towards the light: above, to the left and in
// front of a camera that looks along +Z.
inline constexpr double light_towards[3] = {-1.0 / 3, 2.0 / 3, -2.0 / 3};

inline constexpr double matrix_tile_size = 25.0;
inline constexpr std::uint32_t matrix_colour = 0xFF40C040u;

// The screen's pixels (0xAARRGGBB) with the 3D scene drawn over them.
HS_API std::vector<std::uint32_t> render_scene(Look look = Look::solid);

}  // namespace hostsim
