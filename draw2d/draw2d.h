// Helpers shared by the 2D drawing commands: colour channels and the
// coordinate arithmetic that must not overflow.
#pragma once
#include <cstdint>

#include "../plugin/fmath.h"

namespace draw2d {

constexpr int channel_max = 255;

// A channel held to 0..255.
inline int clamp_channel(long long value) {
  return value > channel_max ? channel_max : value < 0 ? 0 : static_cast<int>(value);
}

// Adds a bevel offset: a highlight is only capped at 255, a shadow only
// floored at 0.
inline int offset_channel(long long value, int offset) {
  long long moved = value + offset;
  if (offset > 0) return moved > channel_max ? channel_max : static_cast<int>(moved);
  return moved < 0 ? 0 : static_cast<int>(moved);
}

// Step k of n from c0 to c1: ((n - k)·c0 + k·c1) / n, exact and truncating
// toward zero.  Channels are 0..255, so the products fit in 64 bits for any
// side length; a side of 0 steps is its start colour.
inline long long interpolate_channel(int c0, int c1, long long k, long long n) {
  if (n == 0) return c0;
  return ((n - k) * c0 + k * c1) / n;
}

// 32-bit screen coordinate of a wide value, wrapping as the host's integers do.
inline int coordinate(long long value) { return static_cast<int>(static_cast<std::uint32_t>(value)); }

}  // namespace draw2d
