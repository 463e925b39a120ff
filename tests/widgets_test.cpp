// DRAW BUTTON, MAKE HEALTH BAR, GUI SLIDER, LOADING BAR.
#include <algorithm>
#include <climits>
#include <cmath>

#include "../hostsim/input_state.h"
#include "draw2d_support.h"

using namespace draw2d_test;
using Widgets = plugin::HostTest;

namespace {

constexpr K top_left = rgb(100, 0, 0), top_right = rgb(0, 100, 0);
constexpr K bottom_left = rgb(0, 0, 100), bottom_right = rgb(100, 100, 100);

void button(int x1, int y1, int x2, int y2, int bevel) {
  cmd::drawbutton(x1, y1, x2, y2, bevel, static_cast<int>(top_left), static_cast<int>(top_right),
                  static_cast<int>(bottom_left), static_cast<int>(bottom_right));
}

// The fifth argument (the first corner colour) of the last BoxGradient call.
std::string fill_colour() { return plugin::parse_log_line(hostsim::log_of("BoxGradient").back()).arguments.at(4); }

void mouse(int x, int y, int click) {
  hostsim::input_state.mouse_x = x;
  hostsim::input_state.mouse_y = y;
  hostsim::input_state.mouse_click = click;
}

}  // namespace

TEST_F(Widgets, ButtonWithoutBevelIsTheGradientAlone) {
  button(1, 2, 30, 40, 0);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.BoxGradient(1,2,30,40,0xFF000064,0xFF640000,0xFF646464,0xFF006400)"}));
  EXPECT_EQ(hostsim::pixel(1, 40), bottom_left);
  EXPECT_EQ(hostsim::pixel(1, 2), top_left);
  EXPECT_EQ(hostsim::pixel(30, 40), bottom_right);
  EXPECT_EQ(hostsim::pixel(30, 2), top_right);
}

TEST_F(Widgets, ButtonRingLightsTopAndLeftAndShadesTheRest) {
  button(0, 0, 4, 2, 1);
  EXPECT_EQ(hostsim::log_of("Dot").size(), 3u + 3u + 5u + 5u);
  Lines first_side(hostsim::log().begin() + 1, hostsim::log().begin() + 7);
  EXPECT_EQ(first_side, (Lines{"Basic2D.RgbR(0xFF640000)", "Basic2D.RgbR(0xFF000064)", "Basic2D.RgbG(0xFF640000)",
                               "Basic2D.RgbG(0xFF000064)", "Basic2D.RgbB(0xFF640000)", "Basic2D.RgbB(0xFF000064)"}));
  EXPECT_EQ(hostsim::pixel(0, 1), rgb(50 + 64, 64, 50 + 64));  // left side, midway, lit
  EXPECT_EQ(hostsim::pixel(4, 1), rgb(0, 36, 0));              // right side, shaded
  // Corners take the colours of the horizontal sides.
  EXPECT_EQ(hostsim::pixel(0, 0), rgb(164, 64, 64));
  EXPECT_EQ(hostsim::pixel(4, 0), rgb(64, 164, 64));
  EXPECT_EQ(hostsim::pixel(0, 2), rgb(0, 0, 36));
  EXPECT_EQ(hostsim::pixel(4, 2), rgb(36, 36, 36));
}

TEST_F(Widgets, ButtonSidesInterpolateExactly) {
  cmd::drawbutton(0, 0, 0, 4, 1, static_cast<int>(rgb(0, 0, 0)), 0, static_cast<int>(rgb(255, 0, 0)), 0);
  Lines colours = hostsim::log_of("Rgb");
  Lines left(colours.begin(), colours.begin() + 5);
  EXPECT_EQ(left, (Lines{"Basic2D.Rgb(64,64,64)", "Basic2D.Rgb(127,64,64)", "Basic2D.Rgb(191,64,64)",
                         "Basic2D.Rgb(255,64,64)", "Basic2D.Rgb(255,64,64)"}));
}

namespace {

// The calls of one bevel side, from the closed formula: channel k of n is
// ((n - k)·c0 + k·c1) / n, then offset and held as the side's kind says.
Lines bevel_side(K from, K to, int steps, int x, int y, int dx, int dy, int offset) {
  Lines calls;
  for (const char* channel : {"RgbR", "RgbG", "RgbB"})
    for (K end : {from, to}) calls.push_back(std::string("Basic2D.") + channel + "(" + hex(end) + ")");
  for (int k = 0; k <= steps; ++k) {
    int channels[3];
    for (int c = 0; c < 3; ++c) {
      int shift = 16 - 8 * c;
      int c0 = static_cast<int>(from >> shift & 255), c1 = static_cast<int>(to >> shift & 255);
      int value = steps == 0 ? c0 : ((steps - k) * c0 + k * c1) / steps;
      value += offset;
      channels[c] = offset > 0 ? std::min(value, 255) : std::max(value, 0);
    }
    K colour = rgb(channels[0], channels[1], channels[2]);
    calls.push_back("Basic2D.Rgb(" + std::to_string(channels[0]) + "," + std::to_string(channels[1]) + "," +
                    std::to_string(channels[2]) + ")");
    calls.push_back("Basic2D.Dot(" + std::to_string(x + k * dx) + "," + std::to_string(y + k * dy) + "," + hex(colour) +
                    ")");
  }
  return calls;
}

}  // namespace

// Every step of every ring, on sides shorter and longer than their channels'
// differences, rising and falling, capped and floored.
TEST_F(Widgets, EveryBevelStepFollowsTheClosedFormula) {
  const K tl = rgb(200, 13, 97), tr = rgb(3, 250, 128), bl = rgb(77, 0, 255), br = rgb(255, 255, 1);
  cmd::drawbutton(3, 7, 40, 29, 6, static_cast<int>(tl), static_cast<int>(tr), static_cast<int>(bl),
                  static_cast<int>(br));
  Lines expected{"Basic2D.BoxGradient(3,7,40,29," + hex(bl) + "," + hex(tl) + "," + hex(br) + "," + hex(tr) + ")"};
  for (int i = 0; i < 6; ++i) {
    int left = 3 + i, right = 40 - i, top = 7 + i, bottom = 29 - i;
    for (const Lines& side : {bevel_side(tl, bl, bottom - top, left, top, 0, 1, 64),
                              bevel_side(tr, br, bottom - top, right, top, 0, 1, -64),
                              bevel_side(tl, tr, right - left, left, top, 1, 0, 64),
                              bevel_side(bl, br, right - left, left, bottom, 1, 0, -64)})
      expected.insert(expected.end(), side.begin(), side.end());
  }
  EXPECT_EQ(hostsim::log(), expected);
}

TEST_F(Widgets, ButtonRingsStopAtTheMiddle) {
  button(0, 0, 5, 5, 4);
  EXPECT_EQ(hostsim::log_of("Dot").size(), 24u + 16u + 8u);
  // Ring 3 draws nothing but still reads its sides' colours.
  EXPECT_EQ(hostsim::log_of("RgbR").size(), 4u * 4u * 2u);
}

TEST_F(Widgets, FlatButtonSidesOfZeroStepsTakeTheirStartColour) {
  button(0, 0, 4, 0, 1);
  Lines dots = hostsim::log_of("Dot");
  ASSERT_EQ(dots.size(), 1u + 1u + 5u + 5u);
  EXPECT_EQ(dots[0], "Basic2D.Dot(0,0," + hex(rgb(164, 64, 64)) + ")");  // top-left, lit
  EXPECT_EQ(dots[1], "Basic2D.Dot(4,0," + hex(rgb(0, 36, 0)) + ")");     // top-right, shaded
  hostsim::clear_log();
  button(0, 0, 10, 2, 2);  // ring 1 has vertical sides of 0 steps
  EXPECT_EQ(hostsim::log_of("Dot").size(), (3u + 3u + 11u + 11u) + (1u + 1u + 9u + 9u));
}

TEST_F(Widgets, ButtonsLeaveTheInk) {
  button(0, 0, 20, 20, 3);
  EXPECT_TRUE(hostsim::log_of("Ink").empty());
}

TEST_F(Widgets, HealthBarBackgroundThenFill) {
  cmd::makehealthbar(0, 0, 200, 10, 60.f, 100.f, 1, 2, 3, 4);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Rgb(155,155,155)", "Basic2D.Rgb(155,155,55)",
                                   "Basic2D.BoxGradient(0,0,200,10,0xFF9B9B37,0x0,0xFF9B9B9B,0x0)",
                                   "Basic2D.BoxGradient(0,0,120,10,0x2,0x0,0x2,0x0)"}));
}

TEST_F(Widgets, HealthBarBandsTakeTheLowerBandOnABorder) {
  const std::pair<float, const char*> cases[] = {{100.f, "0x1"}, {75.f, "0x2"}, {60.f, "0x2"},
                                                 {50.f, "0x3"},  {25.f, "0x4"}, {10.f, "0x4"},
                                                 {0.f, "0x4"},   {-1.f, "0x0"}, {150.f, "0x1"}};
  for (auto [value, colour] : cases) {
    cmd::makehealthbar(0, 0, 200, 10, value, 100.f, 1, 2, 3, 4);
    EXPECT_EQ(fill_colour(), colour) << value;
  }
  EXPECT_EQ(hostsim::log_of("BoxGradient").back(), "Basic2D.BoxGradient(0,0,300,10,0x1,0x0,0x1,0x0)");
}

TEST_F(Widgets, HealthBarRatioIsASingleAndTheEdgeADouble) {
  // ratio = 1/3 rounded to a 32-bit float, times 3e8 in double: 100000002.98.
  cmd::makehealthbar(0, 0, 300000000, 10, 1.f, 3.f, 1, 2, 3, 4);
  EXPECT_EQ(hostsim::log_of("BoxGradient").back(), "Basic2D.BoxGradient(0,0,100000002,10,0x3,0x0,0x3,0x0)");
}

TEST_F(Widgets, HealthBarWithANegativeMaximum) {
  // q = -25: only the first band test (value >= -75) can hold.
  const std::pair<float, const char*> cases[] = {{-50.f, "Basic2D.BoxGradient(0,0,100,10,0x1,0x0,0x1,0x0)"},
                                                 {-75.f, "Basic2D.BoxGradient(0,0,150,10,0x1,0x0,0x1,0x0)"},
                                                 {-80.f, "Basic2D.BoxGradient(0,0,160,10,0x0,0x0,0x0,0x0)"},
                                                 {50.f, "Basic2D.BoxGradient(0,0,-100,10,0x1,0x0,0x1,0x0)"}};
  for (auto [value, fill] : cases) {
    cmd::makehealthbar(0, 0, 200, 10, value, -100.f, 1, 2, 3, 4);
    EXPECT_EQ(hostsim::log_of("BoxGradient").back(), fill) << value;
  }
}

TEST_F(Widgets, HealthBarWithMaximumZeroIsEmpty) {
  cmd::makehealthbar(10, 0, 200, 10, 50.f, 0.f, 1, 2, 3, 4);
  cmd::makehealthbar(10, 0, 200, 10, 0.f, 0.f, 1, 2, 3, 4);
  cmd::makehealthbar(10, 0, 200, 10, NAN, 100.f, 1, 2, 3, 4);
  int fills = 0;
  for (const std::string& line : hostsim::log_of("BoxGradient"))
    if (line.find("0xFF9B9B37") == std::string::npos) {
      EXPECT_EQ(line.rfind("Basic2D.BoxGradient(10,0,10,10,", 0), 0u) << line;
      ++fills;
    }
  EXPECT_EQ(fills, 3);
}

TEST_F(Widgets, SliderOutsideTheZoneKeepsItsValue) {
  mouse(150, 0, 1);
  float value = 0.5f;
  EXPECT_EQ(cmd::gui_slider(100, 50, 200, value), ::float_bits(value));
  EXPECT_EQ(hostsim::log(),
            (Lines{"Input.GetMouseY()", "Basic2D.Ink(0xFF303030,0x0)", "Basic2D.Box(100,50,300,51)",
                   "Basic2D.Box(196,42,204,58)", "Basic2D.Ink(0xFF909090,0x0)", "Basic2D.Box(197,43,203,57)"}));
  expect_ink(0xFF909090u);
  EXPECT_EQ(hostsim::pixel(196, 50), 0xFF303030u);  // the knob's border
  EXPECT_EQ(hostsim::pixel(200, 50), 0xFF909090u);  // its face
}

TEST_F(Widgets, SliderZoneEdgesAreInclusive) {
  struct Case {
    int mouse_x, mouse_y, length;
    bool inside;
  };
  const Case cases[] = {{100, 40, 200, true},  {300, 60, 200, true}, {100, 39, 200, false},
                        {150, 61, 200, false}, {99, 50, 200, false}, {301, 50, 200, false},
                        {100, 50, 0, true},    {100, 50, -1, false}, {90, 50, -10, false}};
  for (const Case& c : cases) {
    mouse(c.mouse_x, c.mouse_y, 1);
    hostsim::clear_log();
    K result = cmd::gui_slider(100, 50, c.length, 0.5f);
    EXPECT_EQ(hostsim::log_of("Ink").front(), c.inside ? "Basic2D.Ink(0xFF000000,0x0)" : "Basic2D.Ink(0xFF303030,0x0)")
        << c.mouse_x << ',' << c.mouse_y << ' ' << c.length;
    if (!c.inside) {
      EXPECT_EQ(result, ::float_bits(0.5f));
    }
  }
}

TEST_F(Widgets, SliderInsideWithoutAClickKeepsItsValue) {
  mouse(150, 60, 2);
  EXPECT_EQ(cmd::gui_slider(100, 50, 200, 0.75f), ::float_bits(0.75f));
  EXPECT_EQ(calls(), (Lines{"GetMouseY", "GetMouseY", "GetMouseX", "GetMouseX", "GetMouseClick", "Ink", "Box", "Box",
                            "Ink", "Box"}));
  EXPECT_EQ(hostsim::log()[5], "Basic2D.Ink(0xFF000000,0x0)");
}

TEST_F(Widgets, SliderHeldInsideFollowsTheMouse) {
  mouse(150, 55, 1);
  EXPECT_EQ(as_float(cmd::gui_slider(100, 50, 200, 0.5f)), 0.25f);
  EXPECT_EQ(hostsim::log()[7], "Basic2D.Box(196,42,204,58)");  // the knob stays at the value passed in
  EXPECT_EQ(hostsim::log().back(), "Input.GetMouseX()");
  mouse(300, 40, 1);
  EXPECT_EQ(as_float(cmd::gui_slider(100, 50, 200, 0.5f)), 1.0f);
}

TEST_F(Widgets, SliderOfLengthZero) {
  mouse(100, 50, 1);
  EXPECT_TRUE(std::isnan(as_float(cmd::gui_slider(100, 50, 0, 0.5f))));
  hostsim::clear_log();
  // length · infinity is NaN: the knob goes to 0.
  cmd::gui_slider(100, 50, 0, INFINITY);
  EXPECT_EQ(hostsim::log_of("Box")[1], "Basic2D.Box(-4,42,4,58)");
}

TEST_F(Widgets, LoadingBarCallsAndInk) {
  cmd::loadingbar(50, 40, 10, 100, text("Load"), 1, 2, 3, 4, 5, 6);
  EXPECT_EQ(hostsim::log(),
            (Lines{"Text.BasicText(10,85,\"Load\")", "Basic2D.Rgb(1,2,3)", "Basic2D.Ink(0xFF010203,0x0)",
                   "Basic2D.Line(10,100,110,100)", "Basic2D.Line(10,100,10,115)", "Basic2D.Line(110,100,110,115)",
                   "Basic2D.Line(10,115,110,115)", "Basic2D.Rgb(4,5,6)", "Basic2D.Ink(0xFF040506,0x0)",
                   "Basic2D.Box(10,100,90,115)", "Basic2D.Rgb(255,255,255)", "Basic2D.Ink(0xFFFFFFFF,0x0)"}));
  expect_ink(0xFFFFFFFFu);
  EXPECT_EQ(hostsim::pixel(50, 107), rgb(4, 5, 6));
  EXPECT_EQ(hostsim::pixel(110, 107), rgb(1, 2, 3));
}

TEST_F(Widgets, LoadingBarPercentIsCappedAndNeverOverflows) {
  auto bar = [](int maximum, int current) {
    hostsim::clear_log();
    cmd::loadingbar(maximum, current, 0, 0, text(""), 0, 0, 0, 0, 0, 0);
    return hostsim::log_of("Box").back();
  };
  EXPECT_EQ(bar(50, 60), "Basic2D.Box(0,0,100,15)");
  EXPECT_EQ(bar(1000, 2000), "Basic2D.Box(0,0,100,15)");
  EXPECT_EQ(bar(100000000, 30000000), "Basic2D.Box(0,0,30,15)");  // current · 100 beyond 32 bits
  EXPECT_EQ(bar(INT_MAX, INT_MAX), "Basic2D.Box(0,0,100,15)");
  EXPECT_EQ(bar(100, -10), "Basic2D.Box(0,0,-10,15)");
  EXPECT_EQ(bar(-1, INT_MAX), "Basic2D.Box(0,0,-2147483648,15)");
}

TEST_F(Widgets, LoadingBarWithMaximumZeroIsEmpty) {
  cmd::loadingbar(0, 40, 10, 20, text("x"), 0, 0, 0, 9, 9, 9);
  EXPECT_EQ(hostsim::log_of("Box"), (Lines{"Basic2D.Box(10,20,10,35)"}));
}
