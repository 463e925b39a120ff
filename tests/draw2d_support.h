// Helpers for the 2D drawing tests.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "../hostsim/basic2d_state.h"
#include "plugin.h"

namespace draw2d_test {

// The colour value the stand-in host's Rgb makes.
constexpr K rgb(int red, int green, int blue) {
  return 0xFF000000u | static_cast<K>(red) << 16 | static_cast<K>(green) << 8 | static_cast<K>(blue);
}

// A colour as the log writes it.
inline std::string hex(K value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

// The function names of the log, in order ("Basic2D.Dot(1,2,0x0)" -> "Dot").
inline Lines calls() {
  Lines names;
  for (const std::string& line : hostsim::log()) names.push_back(plugin::parse_log_line(line).function);
  return names;
}

// The ink a command left: the given foreground on background 0.
inline void expect_ink(K foreground) {
  EXPECT_EQ(hostsim::screen.ink, foreground);
  EXPECT_EQ(hostsim::screen.paper, 0u);
}

inline char* text(const char* value) { return const_cast<char*>(value); }

// The stand-in host's random generator, for predicting RndLL results.
struct Generator {
  std::uint32_t state = 1;
  int next(int limit) {
    state = state * 214013u + 2531011u;
    return static_cast<int>(((state >> 16) & 0x7FFF) % (static_cast<long long>(limit) + 1));
  }
};

}  // namespace draw2d_test
