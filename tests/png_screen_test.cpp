// One of each 2D shape, widget and text effect on a screen, and the font's
// characters, written as PNG files into the build directory for a person to
// look at.
#include <map>

#include "../hostsim/font.h"
#include "../hostsim/input_state.h"
#include "../hostsim/png_io.h"
#include "draw2d_support.h"

using namespace draw2d_test;
using PngScreen = plugin::HostTest;

TEST_F(PngScreen, EveryShapeAndWidgetOnOneScreen) {
  char caption[] = "Loading", title[] = "Outlined", shadow[] = "Shadowed", underline[] = "Underlined",
       typed[] = "Typewriter text";

  cmd::filledcircle(70, 70, 50, 30, rgb(200, 40, 40));
  cmd::hollowrect(140, 30, 230, 110);
  cmd::drawdust(300, 70, 40, 300, rgb(200, 200, 120));
  cmd::drawgalaxy(480, 90, 400, 300, 3, 2, 3000, 20, 100, rgb(60, 90, 200));

  cmd::drawbutton(20, 160, 180, 210, 4, static_cast<int>(rgb(90, 130, 220)), static_cast<int>(rgb(60, 100, 200)),
                  static_cast<int>(rgb(30, 60, 150)), static_cast<int>(rgb(20, 40, 120)));
  cmd::makehealthbar(220, 170, 420, 190, 60.f, 100.f, rgb(0, 200, 0), rgb(200, 200, 0), rgb(230, 120, 0),
                     rgb(220, 0, 0));
  cmd::drawbutton(440, 160, 630, 200, 0, static_cast<int>(rgb(200, 200, 200)), static_cast<int>(rgb(200, 200, 200)),
                  static_cast<int>(rgb(160, 160, 160)), static_cast<int>(rgb(160, 160, 160)));
  hostsim::input_state.mouse_x = 500;
  hostsim::input_state.mouse_y = 180;
  cmd::gui_slider(460, 180, 150, 0.3f);
  cmd::loadingbar(50, 35, 20, 260, caption, 255, 255, 255, 60, 160, 255);

  cmd::drawbezier(160, 330, 200, 230, 380, 330, 300, 420, 40);
  cmd::drawbezierinfo(160, 330, 200, 230, 380, 330, 300, 420);

  cmd::backink(0);
  cmd::text_outline(420, 260, title);
  cmd::text_shadow(420, 290, shadow);
  hostsim::screen.ink = rgb(120, 220, 255);
  cmd::text_underline(420, 320, underline);
  cmd::typewritertext(typed, 420, 350, 1.f, 9.f);

  const std::string path = EC_BINARY_DIR "/draw2d_screen.png";
  ASSERT_TRUE(hostsim::save_png(path, hostsim::screen.width, hostsim::screen.height, hostsim::screen.pixels));
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(hostsim::load_png(path, width, height, pixels));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(pixels[70 * 640 + 70], rgb(200, 40, 40));    // the ellipse's centre
  EXPECT_EQ(pixels[265 * 640 + 40], rgb(60, 160, 255));  // inside the loading bar
}

namespace {

// The pixels of the character cell at `column` of a text drawn at (x, y).
std::vector<std::uint32_t> cell(int x, int y, int column) {
  std::vector<std::uint32_t> pixels;
  for (int dy = 0; dy < hostsim::font_cell_height; ++dy)
    for (int dx = 0; dx < hostsim::font_cell_width; ++dx)
      pixels.push_back(hostsim::pixel(x + column * hostsim::font_cell_width + dx, y + dy));
  return pixels;
}

}  // namespace

// Every character of the sheet that the font has is drawn with a glyph of
// its own, lower case with its capital's, and only the space is blank; the
// characters it lacks are drawn as '?'.  The sheet, four times enlarged, is
// written to draw2d_font.png.
TEST_F(PngScreen, FontSheetGivesEachCharacterItsOwnGlyph) {
  const char* rows[] = {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "0123456789 .,:;!?'\"-+=/",
                        "()[]<>%_*#&@$ ~^{}|`\\"};
  const std::string lacking = "~^{}|`\\";
  constexpr int left = 4, top = 2, row_height = 9, capitals = 0, lower_case = 1;
  hostsim::set_screen_size(170, 40);
  for (int row = 0; row < 4; ++row) cmd::typewritertext(text(rows[row]), left, top + row_height * row, 100.f, 0.f);

  const std::vector<std::uint32_t> blank(hostsim::font_cell_width * hostsim::font_cell_height, hostsim::pixel(0, 0));
  std::map<std::vector<std::uint32_t>, char> owners;  // each glyph and the first character drawn with it
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; rows[row][column]; ++column) {
      char character = rows[row][column];
      std::vector<std::uint32_t> glyph = cell(left, top + row_height * row, column);
      if (row == lower_case) {
        EXPECT_EQ(glyph, cell(left, top + row_height * capitals, column)) << character;
      } else if (character == ' ') {
        EXPECT_EQ(glyph, blank);
      } else {
        EXPECT_NE(glyph, blank) << character;
        char owner = owners.emplace(glyph, character).first->second;
        EXPECT_EQ(owner, lacking.find(character) == std::string::npos ? character : '?') << character;
      }
    }
  }

  constexpr int zoom = 4;
  int width = hostsim::screen.width * zoom, height = hostsim::screen.height * zoom;
  std::vector<std::uint32_t> large(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) large[static_cast<std::size_t>(y) * width + x] = hostsim::pixel(x / zoom, y / zoom);
  EXPECT_TRUE(hostsim::save_png(EC_BINARY_DIR "/draw2d_font.png", width, height, large));
}
