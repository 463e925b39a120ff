// Screenshots: the 2D screen with the 3D scene drawn over it as a wireframe.
//
// The camera sits at the current camera's position and, with angles (0, 0, 0),
// looks along +Z with +Y up and +X to the right; its angles turn it as an
// object's angles turn the object.  The projection is a plain perspective one
// with a 60-degree vertical field of view over the screen's size.  Each
// object's limbs are drawn edge by edge in the object's colour (a textured
// object in its texture's first pixel), after its scale, rotation and position.
// Terrain grids (matrices) are drawn in green from the origin, vertex (x, z)
// at (25 x, height, 25 z): 25 units a tile.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace runner {

// The screen's pixels with the wireframe drawn over them (0xAARRGGBB).
std::vector<std::uint32_t> render_scene();

bool write_screenshot(const std::string& path);

}  // namespace runner
