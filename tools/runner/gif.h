// Animated GIF files of recorded frames, written with giflib.
//
// One palette serves the whole animation: the frames' own colours when there
// are at most 255 of them, else 255 found by median cut (each colour shown as
// the nearest of them).  After the first frame only the rectangle that changed
// is stored, its unchanged pixels transparent; a frame equal to the one
// before it lengthens that one instead.  The animation loops.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace runner {

struct GifFrame {
  std::vector<std::uint32_t> pixels;  // width x height colour values (0xAARRGGBB, alpha ignored)
  int duration_ms = 0;
};

// Writes the frames at `zoom` times their size (each pixel repeated); false
// when the file cannot be written.
bool write_gif(const std::string& path, int width, int height, int zoom, const std::vector<GifFrame>& frames);

// A palette of at most `most` colours (0xRRGGBB) for the colours in the frames.
std::vector<std::uint32_t> gif_palette(const std::vector<GifFrame>& frames, std::size_t most);

}  // namespace runner
