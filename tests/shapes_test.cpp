// FILLED CIRCLE, HOLLOW RECT, DRAW DUST, DRAW GALAXY.
#include <climits>
#include <cmath>

#include "draw2d_support.h"

using namespace draw2d_test;
using Shapes = plugin::HostTest;

constexpr K red = rgb(255, 0, 0);

TEST_F(Shapes, SmallEllipsesLeaveTheirBoundaryOut) {
  cmd::filledcircle(10, 20, 1, 1, red);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Dot(10,20,0xFFFF0000)"}));
  hostsim::clear_log();
  cmd::filledcircle(10, 20, 2, 1, red);
  EXPECT_EQ(hostsim::log(),
            (Lines{"Basic2D.Dot(9,20,0xFFFF0000)", "Basic2D.Dot(10,20,0xFFFF0000)", "Basic2D.Dot(11,20,0xFFFF0000)"}));
  hostsim::clear_log();
  cmd::filledcircle(10, 20, 0, 3, red);
  cmd::filledcircle(10, 20, -2, -2, red);
  EXPECT_TRUE(hostsim::log().empty());
}

namespace {

// Every pixel of the bounding box, column by column, each from top to
// bottom, tested exactly: dx²·ry² + dy²·rx² < rx²·ry².
Lines ellipse_dots(int cx, int cy, long long rx, long long ry) {
  Lines dots;
  for (long long dx = -rx; dx <= rx; ++dx)
    for (long long dy = -ry; dy <= ry; ++dy)
      if (dx * dx * ry * ry + dy * dy * rx * rx < rx * rx * ry * ry)
        dots.push_back("Basic2D.Dot(" + std::to_string(cx + dx) + "," + std::to_string(cy + dy) + ",0xFFFF0000)");
  return dots;
}

}  // namespace

TEST_F(Shapes, AFullDiscIsDrawnColumnByColumn) {
  cmd::filledcircle(320, 240, 300, 300, red);
  Lines dots = hostsim::log_of("Dot");
  EXPECT_EQ(dots, ellipse_dots(320, 240, 300, 300));
  EXPECT_EQ(dots.front(), "Basic2D.Dot(21,216,0xFFFF0000)");  // leftmost column, top first
  EXPECT_EQ(dots.back(), "Basic2D.Dot(619,264,0xFFFF0000)");
  EXPECT_EQ(hostsim::pixel(320, 10), red);
  EXPECT_EQ(hostsim::pixel(619, 240), red);
  EXPECT_EQ(hostsim::pixel(620, 240), 0xFF000000u);
}

// Each column runs exactly between its boundary rows, in thin and flat
// ellipses too, where the boundary jumps many rows from one column to the
// next or stays on one row.
TEST_F(Shapes, EveryColumnRunsBetweenItsExactBoundaryRows) {
  const std::pair<int, int> radii[] = {{37, 5}, {4, 29}, {1, 7}, {7, 1}, {60, 2}, {2, 60}, {13, 13}};
  for (auto [rx, ry] : radii) {
    hostsim::clear_log();
    cmd::filledcircle(100, 50, rx, ry, red);
    EXPECT_EQ(hostsim::log_of("Dot"), ellipse_dots(100, 50, rx, ry)) << rx << " x " << ry;
  }
}

TEST_F(Shapes, EllipseProductsBeyond32BitsAreExact) {
  // rx² · ry² = 2.5e9: only the centre column lies inside.
  cmd::filledcircle(0, 0, 1, 50000, red);
  Lines dots = hostsim::log_of("Dot");
  EXPECT_EQ(dots.size(), 99999u);
  EXPECT_EQ(dots.front(), "Basic2D.Dot(0,-49999,0xFFFF0000)");
  EXPECT_EQ(dots.back(), "Basic2D.Dot(0,49999,0xFFFF0000)");
  // rx² · ry² = 6.4e9; columns ±1 end where 4·dy² < 4.8e9 stops holding,
  // at |dy| = 34641 (34642² = 1200068164 > 1.2e9).
  hostsim::clear_log();
  cmd::filledcircle(0, 0, 2, 40000, red);
  dots = hostsim::log_of("Dot");
  EXPECT_EQ(dots, ellipse_dots(0, 0, 2, 40000));
  EXPECT_EQ(dots.front(), "Basic2D.Dot(-1,-34641,0xFFFF0000)");
  EXPECT_EQ(dots.size(), 2u * 69283u + 79999u);
}

TEST_F(Shapes, EllipsesAtTheIntegerLimitsDoNotOverflow) {
  cmd::filledcircle(INT_MAX, INT_MIN, 1, 1, red);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Dot(2147483647,-2147483648,0xFFFF0000)"}));
  hostsim::clear_log();
  cmd::filledcircle(INT_MAX, INT_MAX, 2, 2, red);
  Lines dots = hostsim::log_of("Dot");
  ASSERT_EQ(dots.size(), 9u);
  // Coordinates beyond the 32-bit range reach the host wrapped.
  EXPECT_EQ(dots.back(), "Basic2D.Dot(-2147483648,-2147483648,0xFFFF0000)");
}

TEST_F(Shapes, HollowRectDrawsFourUnsortedLines) {
  cmd::hollowrect(30, 40, 10, 20);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(30,40,30,20)", "Basic2D.Line(30,40,10,40)",
                                   "Basic2D.Line(10,20,30,20)", "Basic2D.Line(10,20,10,40)"}));
  EXPECT_EQ(hostsim::pixel(20, 20), 0xFFFFFFFFu);
  EXPECT_EQ(hostsim::pixel(20, 30), 0xFF000000u);
}

TEST_F(Shapes, DustWithoutDotsDrawsNoRandomNumber) {
  cmd::drawdust(10, 10, 5, 0, red);
  cmd::drawdust(10, 10, 5, -3, red);
  EXPECT_TRUE(hostsim::log().empty());
}

TEST_F(Shapes, DustLiesOnWholeRingsAtAnglesInRadians) {
  cmd::drawdust(100, 200, 30, 3, red);
  EXPECT_EQ(calls(), (Lines{"RndLL", "RndLL", "Dot", "RndLL", "RndLL", "Dot", "RndLL", "RndLL", "Dot"}));
  EXPECT_EQ(hostsim::log()[0], "Core.RndLL(36000)");
  EXPECT_EQ(hostsim::log()[1], "Core.RndLL(3000)");
  Generator random;
  Lines dots = hostsim::log_of("Dot");
  for (const std::string& dot : dots) {
    int angle = random.next(36000) / 100, distance = random.next(3000) / 100;
    int x = static_cast<int>(100 + distance * std::sin(angle));
    int y = static_cast<int>(200 + distance * std::cos(angle));
    EXPECT_EQ(dot, "Basic2D.Dot(" + std::to_string(x) + "," + std::to_string(y) + ",0xFFFF0000)");
  }
}

TEST_F(Shapes, DustOfRadiusZeroLandsOnTheCentre) {
  cmd::drawdust(7, 8, 0, 2, red);
  EXPECT_EQ(hostsim::log_of("Dot"), (Lines{"Basic2D.Dot(7,8,0xFFFF0000)", "Basic2D.Dot(7,8,0xFFFF0000)"}));
  EXPECT_EQ(hostsim::log()[1], "Core.RndLL(0)");
}

TEST_F(Shapes, DustRadiusLimitIsHeldToTheIntegerRange) {
  cmd::drawdust(0, 0, INT_MAX, 1, red);
  cmd::drawdust(0, 0, INT_MIN, 1, red);
  cmd::drawdust(0, 0, 30000000, 1, red);
  Lines limits;
  for (const std::string& line : hostsim::log_of("RndLL"))
    if (line != "Core.RndLL(36000)") limits.push_back(line);
  EXPECT_EQ(limits, (Lines{"Core.RndLL(2147483647)", "Core.RndLL(-2147483648)", "Core.RndLL(2147483647)"}));
}

TEST_F(Shapes, GalaxyWithoutStarsDrawsTheCentreBoxInWhite) {
  cmd::drawgalaxy(50, 60, 400, 400, 3, 2, 0, 10, 100, red);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Rgb(255,255,255)", "Basic2D.Ink(0xFFFFFFFF,0x0)",
                                   "Basic2D.RgbR(0xFFFF0000)", "Basic2D.RgbG(0xFFFF0000)", "Basic2D.RgbB(0xFFFF0000)",
                                   "Basic2D.Lock()", "Basic2D.Box(48,58,52,62)", "Basic2D.Unlock()"}));
  expect_ink(0xFFFFFFFFu);
  EXPECT_EQ(hostsim::pixel(48, 58), 0xFFFFFFFFu);
  EXPECT_EQ(hostsim::pixel(52, 62), 0xFFFFFFFFu);
}

TEST_F(Shapes, GalaxyStarsCallTheHostInOrder) {
  cmd::drawgalaxy(320, 240, 400, 400, 3, 2, 2, 10, 100, red);
  Lines star{"RndLL", "RndLL", "SinFF", "RndLL", "RndLL", "SinFF", "SinFF", "CosFF", "Rgb", "Dot"};
  Lines expected{"Rgb", "Ink", "RgbR", "RgbG", "RgbB", "Lock"};
  for (int i = 0; i < 2; ++i) expected.insert(expected.end(), star.begin(), star.end());
  expected.insert(expected.end(), {"Box", "Unlock"});
  EXPECT_EQ(calls(), expected);
  EXPECT_EQ(hostsim::screen.locks, 1);
  EXPECT_EQ(hostsim::screen.unlocks, 1);

  // The random limits, and the sine arguments: v · arms and z.
  Generator random;
  random.next(10000);
  int v = random.next(3600);
  random.next(3);
  int z = random.next(10000);
  Lines log = hostsim::log();
  EXPECT_EQ(log[6], "Core.RndLL(10000)");
  EXPECT_EQ(log[7], "Core.RndLL(3600)");
  EXPECT_EQ(log[8], "Core.SinFF(" + hostsim::format_float(static_cast<float>(v * 3)) + ")");
  EXPECT_EQ(log[9], "Core.RndLL(3)");
  EXPECT_EQ(log[10], "Core.RndLL(10000)");
  EXPECT_EQ(log[11], "Core.SinFF(" + hostsim::format_float(static_cast<float>(z)) + ")");
}

// The fourth star: d = 3.279, v = 2423, w = 1 and z = 491 make the radius
// term e = d² · sin(3 · 2423°) · 1 · 300 / 300 = 10.0377 and the angle
// a = 10 · sin 491° + 2423 + 2e = 2450.6225°: the star lies at
// (320 + (1000 / 200) · e · sin a, 240 + (600 / 200) · e · cos a) = (273.03, 250.61).
// The fifth, e = 1.4084 and a = 1147.6946°, at (326.51, 241.60).
TEST_F(Shapes, GalaxyStarsAreOffsetByTheirRadiusTerm) {
  cmd::drawgalaxy(320, 240, 1000, 600, 3, 2, 6, 10, 300, red);
  Lines dots = hostsim::log_of("Dot");
  ASSERT_EQ(dots.size(), 6u);
  EXPECT_EQ(dots[3], "Basic2D.Dot(273,250,0xFFFFFFFF)");
  EXPECT_EQ(dots[4], "Basic2D.Dot(326,241,0xFFFFFFFF)");
}

TEST_F(Shapes, GalaxyStarsAtTheCentreAreSaturated) {
  // Size 0 gives every star the radius term 0: an infinite brightness boost.
  cmd::drawgalaxy(100, 100, 400, 400, 3, 2, 20, 10, 0, rgb(10, 20, 30));
  for (const std::string& dot : hostsim::log_of("Dot")) EXPECT_EQ(dot, "Basic2D.Dot(100,100,0xFFFFFFFF)");
  EXPECT_EQ(hostsim::log_of("Dot").size(), 20u);
}

TEST_F(Shapes, NarrowGalaxiesCollapseOntoTheCentreLines) {
  cmd::drawgalaxy(300, 200, 199, 800, 4, 3, 50, 20, 200, red);
  EXPECT_EQ(plugin::arguments_of(hostsim::log_of("Dot"), 0), Lines(50, "300"));
  hostsim::clear_log();
  cmd::drawgalaxy(300, 200, 800, 199, 4, 3, 50, 20, 200, red);
  EXPECT_EQ(plugin::arguments_of(hostsim::log_of("Dot"), 1), Lines(50, "200"));
}

TEST_F(Shapes, GalaxyStarsOfAWhiteColourStayWhite) {
  cmd::drawgalaxy(300, 200, 800, 800, 4, 3, 50, 20, 200, rgb(255, 255, 255));
  for (const std::string& line : hostsim::log_of("Rgb")) EXPECT_EQ(line, "Basic2D.Rgb(255,255,255)");
}
