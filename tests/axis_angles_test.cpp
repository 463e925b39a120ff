// AXIS_ANGLE_y, AXIS_ANGLE_X, AXIS_ANGLE_Z: heading, pitch and roll against an
// up direction.
#include <limits>

#include "plugin.h"
#include "rotation_reference.h"

using namespace reference;
using plugin::HostTest;

namespace {

struct Measured {
  float pitch, heading, roll;
};

Measured measure(int object, Vec axis) {
  float x = float(axis.x), y = float(axis.y), z = float(axis.z);
  return {as_float(cmd::axis_angle_x(object, x, y, z)), as_float(cmd::axis_angle_y(object, x, y, z)),
          as_float(cmd::axis_angle_z(object, x, y, z))};
}

// Heading, pitch and roll of R = Ry(heading)·Rx(pitch)·Rz(roll), pitch within
// −90..90, from the matrix alone.
struct Decomposed {
  double heading, pitch, roll;
};
Decomposed decompose(const Mat& r) {
  Vec forward{r[0][2], r[1][2], r[2][2]};  // R·(0, 0, 1) = (sh·cp, −sp, ch·cp)
  double pitch = std::asin(-forward.y) / radians;
  double heading = std::atan2(forward.x, forward.z) / radians;
  Mat roll = times(transpose(rx(pitch)), times(transpose(ry(heading)), r));
  return {heading, pitch, std::atan2(roll[1][0], roll[0][0]) / radians};
}

// The world turned so that the axis is +Y: the axis onto +Z by Rx(alpha) and
// Ry(−beta), then (x, y, z) -> (x, z, −y), which is Rx(−90).
Mat axis_up_frame(Vec axis) {
  double alpha = std::atan2(axis.y, axis.z) / radians;
  double rho = std::hypot(axis.y, axis.z);
  double beta = std::atan2(axis.x, rho) / radians;
  return times(rx(-90), times(ry(-beta), rx(alpha)));
}

void expect_angle(float measured, double expected, double tolerance, const char* what) {
  EXPECT_GE(measured, 0.f) << what;
  EXPECT_LE(measured, 360.f) << what;
  EXPECT_NEAR(angle_difference(measured, expected), 0, tolerance) << what << " " << measured << " vs " << expected;
}

}  // namespace

class AxisAngles : public HostTest {};

TEST_F(AxisAngles, ListedOrientationsAgainstWorldUp) {
  struct Row {
    Vec angles;
    double pitch, heading, roll;
  };
  const Row rows[] = {{{0, 40, 0}, 0, 40, 0},   {{0, -40, 0}, 0, 320, 0}, {{30, 0, 0}, 30, 0, 0},
                      {{-30, 0, 0}, 330, 0, 0}, {{0, 0, 25}, 0, 0, 25},   {{30, 90, 0}, 30, 90, 0}};
  for (const Row& row : rows) {
    place(1, {3, 4, 5}, row.angles);
    for (Vec up : {Vec{0, 1, 0}, Vec{0, 5, 0}}) {
      Measured m = measure(1, up);
      expect_angle(m.pitch, row.pitch, listed_tolerance_degrees, "pitch");
      expect_angle(m.heading, row.heading, listed_tolerance_degrees, "heading");
      expect_angle(m.roll, row.roll, listed_tolerance_degrees, "roll");
    }
  }
}

TEST_F(AxisAngles, CallSequences) {
  place(1, {0, 0, 0}, {0, 40, 0});
  cmd::axis_angle_y(1, 0.f, 1.f, 0.f);
  Lines forward_probe = {"Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)",
                         "Basic3D.Move(1,1)",         "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)",
                         "Basic3D.GetZPositionEx(1)", "Basic3D.Move(1,-1)"};
  Lines alignment = {"Core.Atan2FFF(1,0)", "Core.SinFF(90)", "Core.CosFF(90)",
                     "Core.Atan2FFF(0,1)", "Core.SinFF(-0)", "Core.CosFF(-0)"};
  Lines expected = forward_probe;
  expected.insert(expected.end(), alignment.begin(), alignment.end());
  Lines log = hostsim::log();
  ASSERT_EQ(log.size(), expected.size() + 2);
  EXPECT_EQ(Lines(log.begin(), log.begin() + 14), expected);
  EXPECT_EQ(log[14].substr(0, 14), "Core.Atan2FFF(");
  EXPECT_EQ(log[15].substr(0, 18), "Core.WrapValueFF(4");

  hostsim::clear_log();
  cmd::axis_angle_x(1, 0.f, 1.f, 0.f);
  EXPECT_EQ(hostsim::log_without({"SinFF", "CosFF", "Atan2FFF", "SqrtFF", "WrapValueFF"}), forward_probe);
  EXPECT_EQ(hostsim::log_of("SqrtFF").size(), 1u);
  EXPECT_EQ(hostsim::log().back().substr(0, 16), "Core.WrapValueFF");

  hostsim::clear_log();
  cmd::axis_angle_z(1, 0.f, 1.f, 0.f);
  Lines moves = hostsim::log_without({"SinFF", "CosFF", "Atan2FFF", "WrapValueFF"});
  EXPECT_EQ(moves.size(), 13u);
  EXPECT_EQ(moves[3], "Basic3D.MoveRight(1,1)");
  EXPECT_EQ(moves[8], "Basic3D.Move(1,1)");
  EXPECT_EQ(hostsim::log_of("Atan2FFF").size(), 5u);
  EXPECT_EQ(hostsim::log_of("SinFF").size(), 4u);
  EXPECT_TRUE(hostsim::log_of("Rotate").empty());
}

TEST_F(AxisAngles, RandomOrientationsAgainstWorldUp) {
  Random random;
  for (int i = 0; i < 300; ++i) {
    Vec p = random.point(100), a = random.angles();
    place(1, p, a);
    Decomposed expected = decompose(orientation(1));
    if (std::fabs(expected.pitch) > 80) continue;  // heading and roll are ill-conditioned there
    Measured m = measure(1, {0, 1, 0});
    expect_angle(m.pitch, expected.pitch, tolerance_degrees, "pitch");
    expect_angle(m.heading, expected.heading, tolerance_degrees, "heading");
    expect_angle(m.roll, expected.roll, tolerance_degrees, "roll");
    EXPECT_EQ(hostsim::scene.objects[1].angles.x, float(a.x));
    Vec now = position(1);
    EXPECT_NEAR(length({now.x - p.x, now.y - p.y, now.z - p.z}), 0, 1e-4);
  }
}

TEST_F(AxisAngles, RandomOrientationsAgainstAnyAxis) {
  Random random;
  for (int i = 0; i < 300; ++i) {
    Vec a = random.angles(), axis = random.direction();
    place(1, {0, 0, 0}, a);
    Vec float_axis{float(axis.x), float(axis.y), float(axis.z)};
    Decomposed expected = decompose(times(axis_up_frame(float_axis), orientation(1)));
    if (std::fabs(expected.pitch) > 80) continue;
    Measured m = measure(1, float_axis);
    expect_angle(m.pitch, expected.pitch, tolerance_degrees, "pitch");
    expect_angle(m.heading, expected.heading, tolerance_degrees, "heading");
    expect_angle(m.roll, expected.roll, tolerance_degrees, "roll");
  }
}

TEST_F(AxisAngles, ForwardAlongTheAxisIsPitchedDown) {
  place(1, {0, 0, 0}, {0, 0, 0});
  EXPECT_NEAR(as_float(cmd::axis_angle_x(1, 0.f, 0.f, 1.f)), 270, listed_tolerance_degrees);
}

TEST_F(AxisAngles, ZeroAxisActsAsWorldZ) {
  Random random;
  for (int i = 0; i < 20; ++i) {
    place(1, {0, 0, 0}, random.angles());
    Measured zero = measure(1, {0, 0, 0}), world_z = measure(1, {0, 0, 1});
    EXPECT_NEAR(angle_difference(zero.pitch, world_z.pitch), 0, 1e-4);
    EXPECT_NEAR(angle_difference(zero.heading, world_z.heading), 0, 1e-4);
    EXPECT_NEAR(angle_difference(zero.roll, world_z.roll), 0, 1e-4);
  }
}

TEST_F(AxisAngles, NaNInputGivesNaNAndChangesNothing) {
  const float not_a_number = std::numeric_limits<float>::quiet_NaN();
  place(1, {1, 2, 3}, {10, 20, 30});
  EXPECT_TRUE(std::isnan(as_float(cmd::axis_angle_x(1, not_a_number, 1.f, 0.f))));
  EXPECT_TRUE(std::isnan(as_float(cmd::axis_angle_y(1, 0.f, not_a_number, 0.f))));
  EXPECT_TRUE(std::isnan(as_float(cmd::axis_angle_z(1, 0.f, 1.f, not_a_number))));
  place(1, {not_a_number, 2, 3}, {10, 20, 30});
  EXPECT_TRUE(std::isnan(as_float(cmd::axis_angle_y(1, 0.f, 1.f, 0.f))));
  hostsim::Vec3 angles = hostsim::scene.objects[1].angles;
  EXPECT_EQ(angles.x, 10.f);
  EXPECT_EQ(angles.y, 20.f);
  EXPECT_EQ(angles.z, 30.f);
}
