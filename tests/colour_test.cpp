// BRIGHTEN COLOR, OPPOSITE COLOR, GREYSCALE COLOR.
#include "draw2d_support.h"

using namespace draw2d_test;
using Colour = plugin::HostTest;

TEST_F(Colour, BrightenReadsTheChannelsThenBuildsTheResult) {
  EXPECT_EQ(cmd::brightencolor(rgb(250, 100, 0), 10), rgb(255, 110, 10));
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.RgbR(0xFFFA6400)", "Basic2D.RgbG(0xFFFA6400)", "Basic2D.RgbB(0xFFFA6400)",
                                   "Basic2D.Rgb(255,110,10)"}));
  EXPECT_EQ(cmd::brightencolor(rgb(250, 100, 0), -10), rgb(240, 90, 0));
  EXPECT_EQ(cmd::brightencolor(rgb(1, 2, 3), 0), rgb(1, 2, 3));
}

TEST_F(Colour, BrightenClampsEveryChannel) {
  EXPECT_EQ(cmd::brightencolor(rgb(0, 0, 0), 255), rgb(255, 255, 255));
  EXPECT_EQ(cmd::brightencolor(rgb(255, 255, 255), -255), rgb(0, 0, 0));
  // Amounts whose sum with a channel leaves the 32-bit range saturate.
  EXPECT_EQ(cmd::brightencolor(rgb(10, 20, 30), 2147483647), rgb(255, 255, 255));
  EXPECT_EQ(cmd::brightencolor(rgb(10, 20, 30), -2147483647 - 1), rgb(0, 0, 0));
}

TEST_F(Colour, OppositeReflectsEachChannel) {
  EXPECT_EQ(cmd::coloropposite(rgb(255, 255, 255)), rgb(0, 0, 0));
  EXPECT_EQ(cmd::coloropposite(rgb(0, 128, 255)), rgb(255, 127, 0));
  EXPECT_EQ(cmd::coloropposite(cmd::coloropposite(rgb(12, 34, 56))), rgb(12, 34, 56));
  EXPECT_EQ(hostsim::log_of("Rgb").back(), "Basic2D.Rgb(12,34,56)");
}

TEST_F(Colour, GreyscaleIsTheTruncatedMean) {
  EXPECT_EQ(cmd::greyscalecolor(rgb(255, 255, 254)), rgb(254, 254, 254));
  EXPECT_EQ(cmd::greyscalecolor(rgb(1, 1, 0)), rgb(0, 0, 0));
  EXPECT_EQ(calls(), (Lines{"RgbR", "RgbG", "RgbB", "Rgb", "RgbR", "RgbG", "RgbB", "Rgb"}));
}
