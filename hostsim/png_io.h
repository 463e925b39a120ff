// PNG files for the stand-in host (native builds only): pixels are colour
// values as the host's Rgb makes them, 0xAARRGGBB, row after row.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace hostsim {

bool save_png(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);
bool load_png(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels);

}  // namespace hostsim
