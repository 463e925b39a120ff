// The host resources that commands borrow under fixed numbers: each command
// makes the resource, uses it and deletes or closes it before it returns,
// whether or not the program was using that number.
#pragma once

namespace scratch {

inline constexpr int dish_mesh = 5000;       // CREATE OBJECT DISH
inline constexpr int capsule_mesh = 1;       // CREATE OBJECT CAPSULE
inline constexpr int line_object = 1000;     // LINE3D
inline constexpr int texture_block = 1;      // SINGLE PIXEL IMAGE, COLOR OBJECT WITH TEXTURE
inline constexpr int pyramid_bitmap = 1;     // CREATE OBJECT PYRAMID, textured
inline constexpr int normal_map_source = 1;  // MAKE NORMAL MAP: memblocks
inline constexpr int normal_map_result = 2;
inline constexpr int sound_block = 1000;  // SAVESOUND: memblock and file
inline constexpr int sound_file = 1000;

}  // namespace scratch
