// POINT TOWARDS OBJECT and MOUSE MOVE.
#include <climits>

#include "../hostsim/input_state.h"
#include "plugin.h"
#include "rotation_reference.h"

using namespace reference;
using plugin::HostTest;

namespace {

hostsim::Vec3 angles_of(int object) { return hostsim::scene.objects.at(object).angles; }

void mouse(int move_x, int move_y) {
  hostsim::input_state.mouse_move_x = move_x;
  hostsim::input_state.mouse_move_y = move_y;
}

}  // namespace

class MouseMove : public HostTest {};

TEST_F(MouseMove, ReadsVerticalFirstAndRotatesOnce) {
  place(1, {0, 0, 0}, {0, -30, 5});
  mouse(70, 35);
  cmd::mousemove(1, 0, 80, 80);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic3D.GetXRotationEx(1)", "Input.GetMouseMoveY()", "Basic3D.GetYRotationEx(1)",
                                   "Input.GetMouseMoveX()", "Core.WrapValueFF(-10)", "Basic3D.GetZRotationEx(1)",
                                   "Basic3D.Rotate(1,10,350,5)"}));
}

TEST_F(MouseMove, ClampsTheTiltUpperFirstLowerLast) {
  place(1, {0, 0, 0}, {75, 0, 0});
  mouse(0, 35);
  cmd::mousemove(1, 0, 80, 80);
  EXPECT_EQ(angles_of(1).x, 80.f);
  mouse(0, -700);  // −200 degrees
  cmd::mousemove(1, 0, 80, 80);
  EXPECT_EQ(angles_of(1).x, -80.f);
  for (int move : {-100, 0, 100}) {  // crossed limits: the lower one wins
    mouse(0, move);
    cmd::mousemove(1, 0, 10, -20);
    EXPECT_EQ(angles_of(1).x, 20.f);
  }
}

TEST_F(MouseMove, NoMovementStillRotatesWithTheWrappedHeading) {
  place(1, {0, 0, 0}, {-30, 400, 7});
  cmd::mousemove(1, 123, 80, 80);
  EXPECT_EQ(hostsim::log_of("Rotate"), Lines{"Basic3D.Rotate(1,-30,40,7)"});
}

TEST_F(MouseMove, ExtremeLimitsAreNegatedWithoutOverflow) {
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::mousemove(1, 0, INT_MAX, INT_MIN);
  EXPECT_EQ(angles_of(1).x, 2147483648.f);
  cmd::mousemove(1, 0, INT_MIN, INT_MAX);
  EXPECT_EQ(angles_of(1).x, -2147483648.f);
}

class PointTowards : public HostTest {};

TEST_F(PointTowards, PointsThenEasesEachAngle) {
  place(1, {0, 0, 0}, {0, 0, 0});
  place(2, {10, 0, 10}, {0, 0, 0});
  cmd::pointtowardsobject(1, 2, 3);
  EXPECT_EQ(
      hostsim::log(),
      (Lines{"Basic3D.GetXRotationEx(1)", "Basic3D.GetYRotationEx(1)", "Basic3D.GetZRotationEx(1)",
             "Basic3D.GetZPositionEx(2)", "Basic3D.GetYPositionEx(2)", "Basic3D.GetXPositionEx(2)",
             "Basic3D.Point(1,10,0,10)", "Basic3D.GetXRotationEx(1)", "Basic3D.GetYRotationEx(1)",
             "Basic3D.GetZRotationEx(1)", "Core.CurveAngleFFFF(-0,0,3)", "Core.CurveAngleFFFF(45,0,3)",
             "Core.CurveAngleFFFF(0,0,3)", "Basic3D.ZRotate(1,0)", "Basic3D.YRotate(1,15)", "Basic3D.XRotate(1,0)"}));
}

TEST_F(PointTowards, SmoothingReachesTheHostUnchanged) {
  for (int smoothing : {0, -4, 100}) {
    place(1, {0, 0, 0}, {0, 0, 0});
    place(2, {0, 10, 10}, {0, 0, 0});
    hostsim::clear_log();
    cmd::pointtowardsobject(1, 2, smoothing);
    Lines curves = hostsim::log_of("CurveAngleFFFF");
    ASSERT_EQ(curves.size(), 3u);
    EXPECT_EQ(plugin::arguments_of(curves, 2), Lines(3, std::to_string(smoothing)));
  }
}

TEST_F(PointTowards, RepeatedCallsTurnTowardTheTargetAndStay) {
  place(1, {1, 2, 3}, {0, 0, 0});
  place(2, {-20, 12, 40}, {0, 0, 0});
  for (int frame = 0; frame < 60; ++frame) cmd::pointtowardsobject(1, 2, 4);
  Vec forward = times(orientation(1), Vec{0, 0, 1});
  EXPECT_LT(angle_between(forward, Vec{-21, 10, 37}), tolerance_degrees);
  hostsim::Vec3 facing = angles_of(1);
  cmd::pointtowardsobject(1, 2, 4);
  EXPECT_NEAR(angle_difference(angles_of(1).x, facing.x), 0, listed_tolerance_degrees);
  EXPECT_NEAR(angle_difference(angles_of(1).y, facing.y), 0, listed_tolerance_degrees);
  EXPECT_NEAR(angle_difference(angles_of(1).z, facing.z), 0, listed_tolerance_degrees);
}
