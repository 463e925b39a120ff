// Helpers shared by the 2D drawing commands: colour channels, white, and the
// coordinate arithmetic that must not overflow.
#pragma once
#include <cstdint>

#include "../plugin/fmath.h"
#include "../plugin/host.h"

namespace draw2d {

constexpr int channel_max = 255;

// LOADING BAR's frame, one pixel of width per percent.
constexpr int loading_bar_width = 100, loading_bar_height = 15;

// A channel held to 0..255.
inline int clamp_channel(long long value) {
  return value > channel_max ? channel_max : value < 0 ? 0 : static_cast<int>(value);
}

// White, as the host makes it: one Rgb call.
inline K white() { return H.Rgb(channel_max, channel_max, channel_max); }

// Ink white on background 0.
inline void white_ink() { H.Ink(white(), 0); }

// 32-bit screen coordinate of a wide value, wrapping as the host's integers do.
inline int coordinate(long long value) { return static_cast<int>(static_cast<std::uint32_t>(value)); }

}  // namespace draw2d
