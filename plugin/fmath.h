// Number conventions shared by every command.
//
// - Floats cross the host boundary as 32-bit IEEE singles; a host function that
//   yields a float returns its bit pattern in a 32-bit unsigned value (K), which
//   is reinterpreted here, never converted.
// - `f32` stores an intermediate as a 32-bit float; the arithmetic that the
//   commands specify rounds to single precision at exactly those points.
// - Float-to-integer conversions truncate toward zero and saturate: NaN gives 0,
//   values beyond the 32-bit range give INT_MIN or INT_MAX.  No conversion in
//   the plug-in is undefined for any input.
#pragma once
#include <cstdint>
#include <cstring>

using K = std::uint32_t;  // colour value or a float's bit pattern
// A text's address as it crosses the host boundary: pointer-sized, and a
// type of its own so that no text is ever taken for a K (on i686 both are
// 32-bit unsigned integers).
enum class KText : std::uintptr_t {};

inline KText as_ktext(const char* text) { return KText(reinterpret_cast<std::uintptr_t>(text)); }
inline char* text_chars(KText text) { return reinterpret_cast<char*>(static_cast<std::uintptr_t>(text)); }

// The result of a host function that yields a float as its bit pattern: a
// type of its own, so the arithmetic never mistakes it for a K.
enum class KFloat : std::uint32_t {};

inline float as_float(K bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline float as_float(KFloat bits) { return as_float(static_cast<K>(bits)); }

inline K float_bits(float value) {
  K bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline KFloat float_result(float value) { return KFloat(float_bits(value)); }
// A host float result passed on unchanged as a command's own float result.
inline K result_bits(KFloat value) { return static_cast<K>(value); }

inline float f32(double value) { return static_cast<float>(value); }

// Truncates toward zero; NaN becomes 0 and out-of-range values saturate.
inline int trunc_int(double value) {
  if (value != value) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int>(value);
}

// 32-bit signed arithmetic that wraps as the host's integers do, without
// undefined behaviour in C++.
inline int wrap_add(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline int wrap_sub(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline int wrap_mul(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Two-operand float arithmetic, each result stored as a 32-bit float.
inline float difference(float a, float b) { return f32(double(a) - b); }
inline float sum(float a, float b) { return f32(double(a) + b); }
inline float product(float a, float b) { return f32(double(a) * b); }
// A float's square, stored as a 32-bit float.
inline float square(float value) { return f32(value * value); }
// a·b + c·d, formed wide and stored once as a 32-bit float.
inline float sum_of_products(float a, float b, float c, float d) { return f32(double(a) * b + double(c) * d); }

// A world vector or point: three 32-bit floats.
struct Vec3 {
  float x = 0, y = 0, z = 0;
};

// a − b, component by component, each difference stored as a 32-bit float.
inline Vec3 minus(Vec3 a, Vec3 b) { return {difference(a.x, b.x), difference(a.y, b.y), difference(a.z, b.z)}; }

// a + b, component by component, each sum stored as a 32-bit float.
inline Vec3 plus(Vec3 a, Vec3 b) { return {sum(a.x, b.x), sum(a.y, b.y), sum(a.z, b.z)}; }
