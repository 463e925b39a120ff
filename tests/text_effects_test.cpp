// TEXT OUTLINE, TEXT SHADOW, TEXT UNDERLINE, TYPEWRITER TEXT, and the
// stand-in host's text drawing they rely on.
#include <cmath>

#include "draw2d_support.h"

using namespace draw2d_test;
using TextEffects = plugin::HostTest;

namespace {

// The pixels of the screen that are not black, as a bounding box.
struct Extent {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Extent drawn_extent() {
  Extent e;
  for (int y = 0; y < hostsim::screen.height; ++y)
    for (int x = 0; x < hostsim::screen.width; ++x)
      if (hostsim::pixel(x, y) != 0xFF000000u) {
        e.left = std::min(e.left, x), e.right = std::max(e.right, x);
        e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
      }
  return e;
}

}  // namespace

TEST_F(TextEffects, OutlineDrawsFourDarkCopiesThenWhite) {
  cmd::text_outline(10, 20, text("Hi"));
  EXPECT_EQ(hostsim::log(),
            (Lines{"Basic2D.Ink(0x0,0x0)", "Text.BasicText(11,20,\"Hi\")", "Text.BasicText(10,21,\"Hi\")",
                   "Text.BasicText(10,19,\"Hi\")", "Text.BasicText(9,20,\"Hi\")", "Basic2D.Rgb(255,255,255)",
                   "Basic2D.Ink(0xFFFFFFFF,0x0)", "Text.BasicText(10,20,\"Hi\")"}));
  expect_ink(0xFFFFFFFFu);
}

TEST_F(TextEffects, ShadowLiesRightAndBelowTheShiftedText) {
  cmd::text_shadow(10, 20, text("Hi"));
  EXPECT_EQ(hostsim::log(), (Lines{"Basic2D.Ink(0x0,0x0)", "Text.BasicText(12,21,\"Hi\")", "Basic2D.Rgb(255,255,255)",
                                   "Basic2D.Ink(0xFFFFFFFF,0x0)", "Text.BasicText(11,20,\"Hi\")"}));
  expect_ink(0xFFFFFFFFu);
}

TEST_F(TextEffects, UnderlineRunsAlongTheFootOfTheText) {
  hostsim::screen.ink = rgb(0, 200, 0);
  cmd::text_underline(10, 20, text("ABCDE"));
  EXPECT_EQ(hostsim::log(),
            (Lines{"Text.BasicText(10,20,\"ABCDE\")", "Text.TextWidth(\"ABCDE\")", "Text.TextHeight(\"ABCDE\")",
                   "Text.TextHeight(\"ABCDE\")", "Basic2D.Line(10,28,40,28)"}));
  EXPECT_EQ(hostsim::pixel(25, 28), rgb(0, 200, 0));
  EXPECT_EQ(hostsim::screen.ink, rgb(0, 200, 0));
}

TEST_F(TextEffects, TypewriterShowsOneMoreCharacterPerCall) {
  float progress = 0;
  Lines shown;
  for (int call = 1; call <= 7; ++call) {
    progress = as_float(cmd::typewritertext(text("Hello"), 5, 5, 1.f, progress));
    EXPECT_EQ(progress, call <= 6 ? call : 6) << call;
  }
  EXPECT_EQ(hostsim::log_of("Left"),
            (Lines{"Text.Left(0,\"Hello\",1)", "Text.Left(0,\"Hello\",2)", "Text.Left(0,\"Hello\",3)",
                   "Text.Left(0,\"Hello\",4)", "Text.Left(0,\"Hello\",5)", "Text.Left(0,\"Hello\",6)",
                   "Text.Left(0,\"Hello\",6)"}));
  EXPECT_EQ(hostsim::log_of("BasicText").back(), "Text.BasicText(5,5,\"Hello\")");
  EXPECT_EQ(calls().front(), "Len");
}

TEST_F(TextEffects, TypewriterAccumulatesFractions) {
  float progress = 0;
  Lines counts;
  for (int call = 0; call < 3; ++call) {
    progress = as_float(cmd::typewritertext(text("Hello"), 0, 0, 0.5f, progress));
    EXPECT_EQ(progress, 0.5f * (call + 1));
  }
  EXPECT_EQ(hostsim::log_of("BasicText"),
            (Lines{"Text.BasicText(0,0,\"\")", "Text.BasicText(0,0,\"H\")", "Text.BasicText(0,0,\"H\")"}));
  // Progress is added in single precision.
  EXPECT_EQ(as_float(cmd::typewritertext(text("Hello"), 0, 0, 0.1f, 0.2f)), 0.2f + 0.1f);
}

TEST_F(TextEffects, TypewriterWithSpeedZeroRedrawsTheSamePrefix) {
  EXPECT_EQ(as_float(cmd::typewritertext(text("Hello"), 0, 0, 0, 2.5f)), 2.5f);
  EXPECT_EQ(hostsim::log_of("Left"), (Lines{"Text.Left(0,\"Hello\",2)"}));
}

TEST_F(TextEffects, TypewriterProgressOutsideTheIntegerRange) {
  EXPECT_EQ(as_float(cmd::typewritertext(text("Hi"), 0, 0, 1, 1e30f)), 1e30f);
  EXPECT_EQ(as_float(cmd::typewritertext(text("Hi"), 0, 0, 1, -1e30f)), -1e30f + 1);
  EXPECT_TRUE(std::isnan(as_float(cmd::typewritertext(text("Hi"), 0, 0, 1, NAN))));
  EXPECT_EQ(hostsim::log_of("Left"),
            (Lines{"Text.Left(0,\"Hi\",2147483647)", "Text.Left(0,\"Hi\",-2147483648)", "Text.Left(0,\"Hi\",0)"}));
}

TEST_F(TextEffects, TextIsDrawnWithinItsReportedSize) {
  cmd::typewritertext(text("Mixed Case 09!?"), 30, 40, 100, 0);
  Extent glyphs = drawn_extent();
  cmd::text_underline(30, 40, text("Mixed Case 09!?"));
  EXPECT_EQ(hostsim::log().back(), "Basic2D.Line(30,48,120,48)");  // width 90, height 8
  EXPECT_EQ(glyphs.left, 30);
  EXPECT_EQ(glyphs.top, 40);
  EXPECT_LT(glyphs.right, 120);
  EXPECT_GE(glyphs.right, 120 - 6);  // the last glyph reaches into its cell
  EXPECT_LT(glyphs.bottom, 48);
}
