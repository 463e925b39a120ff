// The stand-in host's text font: 5 x 7 pixel glyphs in cells of 6 x 8 pixels
// (a column and a row of spacing).  Lower-case letters are drawn as capitals;
// characters the font lacks are drawn as '?'.
#pragma once
#include <cstdint>

namespace hostsim {

inline constexpr int font_cell_width = 6, font_cell_height = 8;

// Draws the text's glyphs with their top-left cell corner at (x, y), their
// set pixels in the colour, through the 2D module's clipping.
void draw_text(int x, int y, const char* text, std::uint32_t colour);

}  // namespace hostsim
