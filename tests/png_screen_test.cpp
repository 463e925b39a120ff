// One of each 2D shape, widget and text effect on a screen, written to
// draw2d_screen.png in the working directory (the build directory under
// ctest) for a person to look at.
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

  const std::string path = "draw2d_screen.png";
  ASSERT_TRUE(hostsim::save_png(path, hostsim::screen.width, hostsim::screen.height, hostsim::screen.pixels));
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(hostsim::load_png(path, width, height, pixels));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(pixels[70 * 640 + 70], rgb(200, 40, 40));    // the ellipse's centre
  EXPECT_EQ(pixels[265 * 640 + 40], rgb(60, 160, 255));  // inside the loading bar
}

// The font, four times enlarged, written to draw2d_font.png.
TEST_F(PngScreen, FontSheet) {
  const char* rows[] = {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "0123456789 .,:;!?'\"-+=/",
                        "()[]<>%_*#&@$ ~^{}|`\\"};
  hostsim::set_screen_size(170, 40);
  for (int row = 0; row < 4; ++row) cmd::typewritertext(text(rows[row]), 4, 2 + 9 * row, 100.f, 0.f);
  constexpr int zoom = 4;
  int width = hostsim::screen.width * zoom, height = hostsim::screen.height * zoom;
  std::vector<std::uint32_t> large(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) large[static_cast<std::size_t>(y) * width + x] = hostsim::pixel(x / zoom, y / zoom);
  EXPECT_TRUE(hostsim::save_png("draw2d_font.png", width, height, large));
}
