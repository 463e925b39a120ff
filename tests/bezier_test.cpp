// DRAWBEZIER, DRAWBEZIERINFO, BEZIERFUNCTION.
#include <climits>
#include <cmath>

#include "draw2d_support.h"

using namespace draw2d_test;
using Bezier = plugin::HostTest;

TEST_F(Bezier, AStraightCurveIsSampledPerSegment) {
  cmd::drawbezier(0, 0, 10, 0, 30, 0, 20, 0, 3);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(0,0,10,0)", "Basic2D.Line(10,0,20,0)", "Basic2D.Line(20,0,30,0)",
                                   "Basic2D.Line(30,0,30,0)"}));
  EXPECT_EQ(hostsim::pixel(15, 0), 0xFFFFFFFFu);
}

TEST_F(Bezier, AReversedCurveIsSampledTheSameWay) {
  cmd::drawbezier(30, 0, 20, 0, 0, 0, 10, 0, 3);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(30,0,20,0)", "Basic2D.Line(20,0,10,0)", "Basic2D.Line(10,0,0,0)",
                                   "Basic2D.Line(0,0,0,0)"}));
}

TEST_F(Bezier, SamplesWithinAPixelAreMerged) {
  cmd::drawbezier(0.2f, 0.2f, 0.4f, 0.3f, 0.9f, 0.9f, 0.6f, 0.8f, 10);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(0,0,0,0)"}));
  hostsim::clear_log();
  // x = 2t³ + 3t²: the sample at t = 1/2 lies exactly one pixel on, and is
  // merged; a hair further and it is drawn.
  cmd::drawbezier(0, 0, 0, 0, 5, 0, 1, 0, 2);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(0,0,5,0)", "Basic2D.Line(5,0,5,0)"}));
  hostsim::clear_log();
  cmd::drawbezier(0, 0, 0, 0, 5, 0, 1.000001f, 0, 2);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(0,0,1,0)", "Basic2D.Line(1,0,5,0)", "Basic2D.Line(5,0,5,0)"}));
  hostsim::clear_log();
  cmd::drawbezier(0, 0, 0, 0, 0, 5, 0, 1, 2);  // the same along y
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(0,0,0,5)", "Basic2D.Line(0,5,0,5)"}));
}

TEST_F(Bezier, OneSegmentIsTheChordAndAClosingDot) {
  cmd::drawbezier(5, 5, 50, 90, 100, 20, 70, -40, 1);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(5,5,100,20)", "Basic2D.Line(100,20,100,20)"}));
  // Coefficients kept as floats sum to 2.99999976 at t = 1, not to the end's 3.
  hostsim::clear_log();
  cmd::drawbezier(0, 0, 2 / 97.0f, 0, 3, 0, 17 / 7.0f, 0, 1);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(0,0,2,0)", "Basic2D.Line(2,0,2,0)"}));
}

TEST_F(Bezier, NoSegmentsDrawNothing) {
  cmd::drawbezier(5, 5, 50, 90, 100, 20, 70, -40, 0);
  cmd::drawbezier(5, 5, 50, 90, 100, 20, 70, -40, -3);
  EXPECT_TRUE(hostsim::log().empty());
}

TEST_F(Bezier, HugeAndInvalidCoordinatesSaturate) {
  cmd::drawbezier(0, 0, 1e20f, -1e20f, 3e30f, -3e30f, 2e20f, -2e20f, 1);
  EXPECT_EQ(hostsim::log_of("Line").front(), "Basic2D.Line(0,0,2147483647,-2147483648)");
  hostsim::clear_log();
  cmd::drawbezier(NAN, 0, 1, 1, INFINITY, 2, 3, 3, 2);
  for (const std::string& line : hostsim::log_of("Line")) EXPECT_EQ(line.rfind("Basic2D.Line(0,", 0), 0u) << line;
  hostsim::clear_log();
  cmd::drawbezierinfo(NAN, 1e30f, -1e30f, 0, 0, 0, 0, 0);
  EXPECT_EQ(hostsim::log()[0], "Basic2D.Line(0,2147483647,-2147483648,0)");
}

TEST_F(Bezier, InfoDrawsHandlesCirclesAndMarkers) {
  cmd::drawbezierinfo(10.5f, 20.5f, 40, 60, 100.25f, 30, 80, 90);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Line(10,20,40,60)", "Basic2D.Line(100,30,80,90)", "Basic2D.Circle(40,60,5)",
                                   "Basic2D.Circle(80,90,5)", "Basic2D.Box(8,18,12,22)", "Basic2D.Box(98,28,102,32)"}));
  EXPECT_EQ(hostsim::pixel(45, 60), 0xFFFFFFFFu);  // on the circle
  EXPECT_EQ(hostsim::pixel(42, 62), 0xFF000000u);  // inside it
}

TEST_F(Bezier, FunctionIsTheCubicWithoutItsStart) {
  EXPECT_EQ(as_float(cmd::bezierfunction(1, 2, 3, 2)), 22.f);
  EXPECT_EQ(as_float(cmd::bezierfunction(1, 2, 3, 0)), 0.f);
  EXPECT_EQ(as_float(cmd::bezierfunction(0.5f, -1, 4, 0.5f)), 1.8125f);
  EXPECT_TRUE(hostsim::log().empty());
}

TEST_F(Bezier, FunctionIsEvaluatedInDouble) {
  // In single precision 2^24 + 1 rounds back to 2^24 and the sum would be 0.
  EXPECT_EQ(as_float(cmd::bezierfunction(16777216.f, 1, -16777216.f, 1)), 1.f);
}
