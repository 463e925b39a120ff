// SINGLE KEYCHECK, MOUSE DOUBLECLICK, RND MIN MAX, SWAP.
#include <climits>
#include <cmath>
#include <set>

#include "../hostsim/input_state.h"
#include "plugin.h"

using plugin::HostTest;

namespace {

// Far beyond any system double-click interval.
constexpr int long_after_ms = 600000;

}  // namespace

class KeyCheck : public HostTest {};

TEST_F(KeyCheck, ReportsAKeyOnlyOnTheCallWhereItGoesDown) {
  constexpr int key = 30;
  hostsim::input_state.keys[key] = 1;
  EXPECT_EQ(cmd::singlekeycheck(key), 1);
  EXPECT_EQ(cmd::singlekeycheck(key), 0);  // still down
  EXPECT_EQ(cmd::singlekeycheck(key), 0);
  hostsim::input_state.keys[key] = 0;
  EXPECT_EQ(cmd::singlekeycheck(key), 0);  // up, and stored as up
  hostsim::input_state.keys[key] = 1;
  EXPECT_EQ(cmd::singlekeycheck(key), 1);
  hostsim::input_state.keys[key] = 0;
  cmd::singlekeycheck(key);  // leaves the key up for whoever runs next in this process
}

TEST_F(KeyCheck, AsksTheHostTwicePerCall) {
  hostsim::input_state.keys[254] = 7;
  cmd::singlekeycheck(254);
  EXPECT_EQ(hostsim::log(), (Lines{"Input.KeyState(254)", "Input.KeyState(254)"}));
  hostsim::input_state.keys[254] = 0;
  cmd::singlekeycheck(254);
}

TEST_F(KeyCheck, KeyCodesWithoutAnEntryAreNeverDown) {
  hostsim::input_state.keys[255] = 1;
  hostsim::input_state.keys[0] = 1;
  for (int key : {255, 256, -1, INT_MIN, INT_MAX}) EXPECT_EQ(cmd::singlekeycheck(key), 0) << key;
  EXPECT_TRUE(hostsim::log().empty());
  EXPECT_EQ(cmd::singlekeycheck(0), 1);  // the table's first entry is untouched
  hostsim::input_state.keys[0] = 0;
  cmd::singlekeycheck(0);
}

class DoubleClick : public HostTest {
 protected:
  // One call with the mouse in the given state at the given host time.
  int click(int mouse, int time) {
    hostsim::input_state.mouse_click = mouse;
    hostsim::core_state.timer = time;
    return cmd::mousedoubleclick(1);
  }
  // Leaves the double-click state idle: a release seen long after any click.
  void TearDown() override {
    click(0, INT_MAX);
    HostTest::TearDown();
  }
};

TEST_F(DoubleClick, PressReleasePressWithinTheIntervalCompletesOne) {
  click(0, 1000);
  EXPECT_EQ(click(1, 1000), 0);
  EXPECT_EQ(click(0, 1000), 0);
  EXPECT_EQ(click(1, 1000), 1);
  EXPECT_EQ(click(1, 1000), 0);  // held
  EXPECT_EQ(click(0, 1000), 0);
  EXPECT_EQ(click(1, 1000), 0);  // a new first click
  EXPECT_EQ(click(0, 1000), 0);
  EXPECT_EQ(click(1, 1000), 1);
}

TEST_F(DoubleClick, AReleaseSeenAfterTheIntervalStartsOver) {
  click(0, 1000);
  EXPECT_EQ(click(1, 1000), 0);
  EXPECT_EQ(click(0, 1000 + long_after_ms), 0);
  EXPECT_EQ(click(1, 1000 + long_after_ms), 0);  // a new first click
  EXPECT_EQ(click(0, 1000 + long_after_ms), 0);
  EXPECT_EQ(click(1, 1000 + long_after_ms), 1);
}

TEST_F(DoubleClick, HoldingTheButtonNeverCompletesOne) {
  click(0, 0);
  for (int time = 0; time < 50; ++time) EXPECT_EQ(click(1, time), 0);
}

TEST_F(DoubleClick, AnotherButtonIsNeitherAClickNorARelease) {
  click(0, 0);
  EXPECT_EQ(click(1, 0), 0);
  EXPECT_EQ(click(2, 0), 0);  // not a release
  EXPECT_EQ(click(1, 0), 0);
  EXPECT_EQ(click(0, 0), 0);
  EXPECT_EQ(click(2, 0), 0);  // not a second click
  EXPECT_EQ(click(1, 0), 1);
}

TEST_F(DoubleClick, AsksTheHostAfreshAtEachStep) {
  click(0, 0);
  hostsim::clear_log();
  click(1, 5);  // the first click notes the time
  EXPECT_EQ(hostsim::log(), (Lines{"Input.GetMouseClick()", "Input.GetMouseClick()", "Core.TimerL()",
                                   "Input.GetMouseClick()", "Core.TimerL()"}));
  hostsim::clear_log();
  click(0, 5);
  EXPECT_EQ(hostsim::log(),
            (Lines{"Input.GetMouseClick()", "Input.GetMouseClick()", "Input.GetMouseClick()", "Core.TimerL()"}));
}

TEST(RandomRange, NeitherBindsNorCallsTheHost) {
  hostsim::reset();
  cmd::rndminmax(1, 6);
  EXPECT_TRUE(hostsim::log().empty());
}

namespace {

// The values that many calls with these bounds return, each checked to lie
// from `lowest` to `highest`.
std::set<int> values_drawn(int low, int high, int lowest, int highest) {
  std::set<int> seen;
  for (int i = 0; i < 600; ++i) {
    int value = cmd::rndminmax(low, high);
    EXPECT_GE(value, lowest);
    EXPECT_LE(value, highest);
    seen.insert(value);
  }
  return seen;
}

}  // namespace

// Within one second of the calendar clock the reseeded generator can fall
// into a short cycle, so a run need not show every value of a range: the
// tests check the bounds and that the values vary.
TEST(RandomRange, StaysWithinTheBounds) {
  EXPECT_GT(values_drawn(1, 6, 1, 6).size(), 1u);
  EXPECT_EQ(values_drawn(42, 42, 42, 42).size(), 1u);
  EXPECT_EQ(values_drawn(-7, -7, -7, -7).size(), 1u);
}

TEST(RandomRange, TakesTheBoundsInEitherOrder) {
  EXPECT_GT(values_drawn(6, 1, 1, 6).size(), 1u);
  EXPECT_GT(values_drawn(10, -10, -10, 10).size(), 1u);
}

TEST(RandomRange, TheWholeIntegerRangeGivesItsFirst32768Values) {
  values_drawn(INT_MIN, INT_MAX, INT_MIN, INT_MIN + 32767);
  values_drawn(INT_MAX, INT_MIN, INT_MIN, INT_MIN + 32767);
  EXPECT_GT(values_drawn(INT_MAX - 3, INT_MAX, INT_MAX - 3, INT_MAX).size(), 1u);
}

TEST_F(HostTest, SwapNegates) {
  EXPECT_EQ(as_float(cmd::swap(2.5f)), -2.5f);
  EXPECT_EQ(as_float(cmd::swap(-1e30f)), 1e30f);
  EXPECT_EQ(cmd::swap(0.0f), 0u);
  EXPECT_EQ(cmd::swap(-0.0f), 0u);  // +0, never -0
  EXPECT_TRUE(std::isnan(as_float(cmd::swap(INFINITY))));
  EXPECT_TRUE(std::isnan(as_float(cmd::swap(-INFINITY))));
  EXPECT_TRUE(std::isnan(as_float(cmd::swap(NAN))));
  EXPECT_TRUE(hostsim::log().empty());
}
