// ORBIT: position and orientation turned about a line through a centre.
#include <limits>

#include "plugin.h"
#include "rotation_reference.h"

using namespace reference;
using plugin::HostTest;

namespace {

void orbit(int object, Vec centre, Vec axis, float angle) {
  cmd::orbit(object, float(centre.x), float(centre.y), float(centre.z), float(axis.x), float(axis.y), float(axis.z),
             angle);
}

}  // namespace

class Orbit : public HostTest {};

TEST_F(Orbit, ReadsTheOffsetProbesThenPositionsBeforeRotating) {
  place(1, {10, 0, 0}, {0, 0, 0});
  orbit(1, {0, 0, 0}, {0, 1, 0}, 90.f);
  Lines moves = hostsim::log_without({"SinFF", "CosFF", "Atan2FFF"});
  Lines expected = {"Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)",
                    "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)",
                    "Basic3D.MoveRight(1,1)",    "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)",
                    "Basic3D.GetZPositionEx(1)", "Basic3D.MoveLeft(1,1)",     "Basic3D.Move(1,1)",
                    "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)",
                    "Basic3D.Move(1,-1)"};
  ASSERT_EQ(moves.size(), expected.size() + 2);
  EXPECT_EQ(Lines(moves.begin(), moves.begin() + 16), expected);
  EXPECT_EQ(moves[16].substr(0, 17), "Basic3D.Position(");
  EXPECT_EQ(moves[17].substr(0, 15), "Basic3D.Rotate(");
  // The five rotations between the probe and Position, as for ROTATE_AXIS.
  const Lines& log = hostsim::log();
  Lines turn(log.begin() + 16, log.begin() + 28);
  EXPECT_EQ(turn, (Lines{"Core.Atan2FFF(1,0)", "Core.SinFF(90)", "Core.CosFF(90)", "Core.Atan2FFF(0,1)",
                         "Core.SinFF(-0)", "Core.CosFF(-0)", "Core.SinFF(90)", "Core.CosFF(90)", "Core.SinFF(0)",
                         "Core.CosFF(0)", "Core.SinFF(-90)", "Core.CosFF(-90)"}));
  expect_position(1, {0, 0, -10}, 1e-5);
  EXPECT_LT(angle_between(orientation(1), ry(90)), tolerance_degrees);
}

TEST_F(Orbit, TurnsPositionAndOrientationAboutTheLine) {
  Random random;
  for (int i = 0; i < 300; ++i) {
    Vec p = random.point(100), c = random.point(100), a = random.angles(), axis = random.direction();
    float angle = random.angle();
    place(1, p, a);
    Mat before = orientation(1);
    orbit(1, c, axis, angle);
    Mat m = about({float(axis.x), float(axis.y), float(axis.z)}, angle);
    Vec c32{float(c.x), float(c.y), float(c.z)};
    Vec turned = times(m, Vec{float(p.x) - c32.x, float(p.y) - c32.y, float(p.z) - c32.z});
    expect_position(1, {c32.x + turned.x, c32.y + turned.y, c32.z + turned.z}, 1e-3);
    ASSERT_LT(angle_between(orientation(1), times(m, before)), tolerance_degrees) << "case " << i;
  }
}

TEST_F(Orbit, AtTheCentreItOnlyTurnsLikeRotateAxis) {
  place(1, {2, 3, 4}, {10, 20, 30});
  orbit(1, {2, 3, 4}, {1, 1, 0}, 33.f);
  EXPECT_EQ(hostsim::log_of("Position"), Lines{"Basic3D.Position(1,2,3,4)"});
  hostsim::Vec3 orbited = hostsim::scene.objects[1].angles;
  place(1, {2, 3, 4}, {10, 20, 30});
  cmd::rotate_axis(1, 1.f, 1.f, 0.f, 33.f);
  hostsim::Vec3 rotated = hostsim::scene.objects[1].angles;
  EXPECT_EQ(orbited.x, rotated.x);
  EXPECT_EQ(orbited.y, rotated.y);
  EXPECT_EQ(orbited.z, rotated.z);
}

TEST_F(Orbit, KeepsTheDistanceToTheLineAndAFullTurnReturns) {
  place(1, {7, -2, 5}, {15, 25, 35});
  Mat start = orientation(1);
  for (int step = 0; step < 8; ++step) {
    orbit(1, {1, 1, 1}, {0, 0, 1}, 45.f);
    Vec p = position(1);
    EXPECT_NEAR(std::hypot(p.x - 1, p.y - 1), std::hypot(6, -3), 1e-4);
    EXPECT_NEAR(p.z, 5, 1e-4);
  }
  expect_position(1, {7, -2, 5}, 1e-4);
  EXPECT_LT(angle_between(orientation(1), start), tolerance_degrees);
}

TEST_F(Orbit, AxisLengthAndSign) {
  place(1, {10, 0, 0}, {0, 0, 0});
  orbit(1, {0, 0, 0}, {0, 3, 0}, 90.f);
  expect_position(1, {0, 0, -10}, 1e-5);
  place(1, {10, 0, 0}, {0, 0, 0});
  orbit(1, {0, 0, 0}, {0, -1, 0}, 90.f);
  expect_position(1, {0, 0, 10}, 1e-5);
  EXPECT_LT(angle_between(orientation(1), ry(-90)), tolerance_degrees);
}

TEST_F(Orbit, ZeroAxisRunsParallelToWorldZ) {
  place(1, {3, 0, 7}, {0, 0, 0});
  orbit(1, {1, 0, 0}, {0, 0, 0}, 90.f);
  expect_position(1, {1, 2, 7}, 1e-5);
  EXPECT_LT(angle_between(orientation(1), rz(90)), tolerance_degrees);
}

// The guard protects the orientation only; the position is set regardless.
TEST_F(Orbit, NaNSkipsRotateButStillPositions) {
  const float not_a_number = std::numeric_limits<float>::quiet_NaN();
  place(1, {10, 0, 0}, {10, 20, 30});
  cmd::orbit(1, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, not_a_number);
  EXPECT_EQ(hostsim::log_of("Position").size(), 1u);
  EXPECT_TRUE(hostsim::log_of("Rotate").empty());
  hostsim::Vec3 angles = hostsim::scene.objects[1].angles;
  EXPECT_EQ(angles.x, 10.f);
  EXPECT_EQ(angles.y, 20.f);
  EXPECT_EQ(angles.z, 30.f);
}
