// ROTATE_AXIS and the single-axis rotations ROTATE_GX/GY/GZ, ROTATE_LX/LY/LZ.
#include <limits>

#include "plugin.h"
#include "rotation_reference.h"

using namespace reference;
using plugin::HostTest;

namespace {

constexpr int random_cases = 300;
constexpr float not_a_number = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

const Lines probe_log = {
    "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)", "Basic3D.MoveRight(1,1)",
    "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)", "Basic3D.MoveLeft(1,1)",
    "Basic3D.Move(1,1)",         "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)",
    "Basic3D.Move(1,-1)",
};

Lines concat(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

hostsim::Vec3 angles_of(int object) { return hostsim::scene.objects.at(object).angles; }

void expect_angles(int object, float x, float y, float z) {
  hostsim::Vec3 a = angles_of(object);
  EXPECT_NEAR(angle_difference(a.x, x), 0, listed_tolerance_degrees) << a.x;
  EXPECT_NEAR(a.y, y, listed_tolerance_degrees);
  EXPECT_NEAR(angle_difference(a.z, z), 0, listed_tolerance_degrees) << a.z;
}

void expect_same_position(int object, Vec p) { expect_position(object, p, std::fmax(1.0, length(p)) * 1e-6); }

}  // namespace

class RotateAxis : public HostTest {};

TEST_F(RotateAxis, ProbesTurnsThroughFiveRotationsAndSetsTheAngles) {
  place(1, {1, 2, 3}, {0, 0, 0});
  cmd::rotate_axis(1, 0.f, 0.f, 2.f, 45.f);
  Lines turn = {
      "Core.Atan2FFF(0,2)", "Core.SinFF(0)",  "Core.CosFF(0)",  // alpha, and rho from it
      "Core.Atan2FFF(0,2)",                                     // beta
      "Core.SinFF(-0)",     "Core.CosFF(-0)",                   // Ry(-beta)
      "Core.SinFF(45)",     "Core.CosFF(45)",                   // Rz(angle)
      "Core.SinFF(0)",      "Core.CosFF(0)",                    // Ry(beta)
      "Core.SinFF(-0)",     "Core.CosFF(-0)",                   // Rx(-alpha)
  };
  Lines extraction = {
      "Core.Atan2FFF(0.707106769,0.707106769)",
      "Core.SinFF(45)",
      "Core.CosFF(45)",               // Z, and h from it
      "Core.Atan2FFF(0.99999994,0)",  // Y + 90
      "Core.SinFF(90)",
      "Core.CosFF(90)",       // forward turned back
      "Core.Atan2FFF(0,-1)",  // X − 180
      "Basic3D.Rotate(1,360,0,45)",
  };
  EXPECT_EQ(hostsim::log(), concat(concat(probe_log, turn), extraction));
  expect_same_position(1, {1, 2, 3});
}

TEST_F(RotateAxis, TurnsAboutTheWorldAxisThroughThePosition) {
  Random random;
  for (int i = 0; i < random_cases; ++i) {
    Vec p = random.point(100), a = random.angles(), axis = random.direction();
    float angle = random.angle();
    place(1, p, a);
    Mat before = orientation(1);
    cmd::rotate_axis(1, float(axis.x), float(axis.y), float(axis.z), angle);
    Mat expected = times(about({float(axis.x), float(axis.y), float(axis.z)}, angle), before);
    ASSERT_LT(angle_between(orientation(1), expected), tolerance_degrees) << "case " << i;
    expect_same_position(1, p);
  }
}

TEST_F(RotateAxis, ListedTurnsOfAnUnturnedObject) {
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_axis(1, 1.f, 0.f, 0.f, 30.f);
  expect_angles(1, 30, 0, 0);
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_axis(1, 0.f, 0.f, 1.f, 90.f);
  expect_angles(1, 0, 0, 90);
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_axis(1, 0.f, 0.f, 1.f, 180.f);
  expect_angles(1, 0, 0, 180);
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_axis(1, 0.3f, -0.2f, 0.9f, 0.f);
  expect_angles(1, 0, 0, 0);
  EXPECT_GE(angles_of(1).x, 0.f);
  EXPECT_LE(angles_of(1).x, 360.f);
  // 30 about (-1, -1, -1) is X = Z = -15, Y = -asin(1/3) = -19.4712206.  Each
  // a·b + c·d of the turns formed wide and stored once gives Z exactly; formed
  // in floats, -14.999999.
  place(1, {0, 0, 0}, {0, 0, 0});
  hostsim::clear_log();
  cmd::rotate_axis(1, -1.f, -1.f, -1.f, 30.f);
  EXPECT_EQ(hostsim::log_of("Rotate"), Lines{"Basic3D.Rotate(1,345,-19.4712219,-15)"});
}

// Right turned vertical leaves Z to the arctangent of residues; X takes up
// the rest, so the orientation is still the right one.
TEST_F(RotateAxis, RightAxisTurnedVertical) {
  for (float angle : {90.f, -90.f}) {
    for (Vec a : {Vec{0, 0, 0}, Vec{40, 0, 0}, Vec{-70, 0, 0}}) {
      place(1, {0, 0, 0}, a);
      Mat before = orientation(1);
      cmd::rotate_axis(1, 0.f, 1.f, 0.f, angle);
      EXPECT_LT(angle_between(orientation(1), times(ry(angle), before)), tolerance_degrees) << angle;
      EXPECT_NEAR(std::fabs(angles_of(1).y), 90, listed_tolerance_degrees);
    }
  }
}

TEST_F(RotateAxis, AxisLengthDoesNotMatterAndItsSignReversesTheTurn) {
  place(1, {5, -3, 2}, {20, 30, 40});
  cmd::rotate_axis(1, 0.f, 10.f, 0.f, 25.f);
  hostsim::Vec3 long_axis = angles_of(1);
  place(1, {5, -3, 2}, {20, 30, 40});
  cmd::rotate_axis(1, 0.f, 1.f, 0.f, 25.f);
  hostsim::Vec3 unit_axis = angles_of(1);
  EXPECT_EQ(long_axis.x, unit_axis.x);
  EXPECT_EQ(long_axis.y, unit_axis.y);
  EXPECT_EQ(long_axis.z, unit_axis.z);
  place(1, {5, -3, 2}, {20, 30, 40});
  cmd::rotate_axis(1, 0.f, -1.f, 0.f, -25.f);
  EXPECT_LT(angle_between(orientation(1), euler(unit_axis.x, unit_axis.y, unit_axis.z)), tolerance_degrees);
}

TEST_F(RotateAxis, ZeroAxisTurnsAboutWorldZ) {
  place(1, {1, 1, 1}, {10, 20, 30});
  Mat before = orientation(1);
  cmd::rotate_axis(1, 0.f, 0.f, 0.f, 50.f);
  EXPECT_LT(angle_between(orientation(1), times(rz(50), before)), tolerance_degrees);
  expect_same_position(1, {1, 1, 1});
}

TEST_F(RotateAxis, FullTurnsAndSuccessiveTurnsCompose) {
  place(1, {0, 0, 0}, {10, 20, 30});
  Mat before = orientation(1);
  cmd::rotate_axis(1, 1.f, 2.f, 3.f, 360.f);
  EXPECT_LT(angle_between(orientation(1), before), tolerance_degrees);
  cmd::rotate_axis(1, 1.f, 0.f, 0.f, 40.f);
  cmd::rotate_axis(1, 0.f, 1.f, -1.f, -70.f);
  Mat expected = times(about({0, 1, -1}, -70), times(rx(40), before));
  EXPECT_LT(angle_between(orientation(1), expected), tolerance_degrees);
}

// A NaN axis, angle or position, or an infinite angle, makes an Euler angle
// not finite: Rotate is skipped and the object keeps its orientation and
// position.
TEST_F(RotateAxis, GuardSkipsRotateOnBadInput) {
  struct Case {
    float ax, ay, az, angle;
  };
  const Case cases[] = {{not_a_number, 0, 1, 10}, {0, not_a_number, 1, 10}, {0, 0, 1, not_a_number},
                        {0, 0, 1, infinity},      {1, 0, 0, -infinity},     {0, 0, infinity, -infinity}};
  for (const Case& c : cases) {
    place(1, {4, 5, 6}, {10, 20, 30});
    hostsim::clear_log();
    cmd::rotate_axis(1, c.ax, c.ay, c.az, c.angle);
    EXPECT_TRUE(hostsim::log_of("Rotate").empty()) << c.ax << " " << c.ay << " " << c.az << " " << c.angle;
    expect_angles(1, 10, 20, 30);
    expect_same_position(1, {4, 5, 6});
  }
  place(1, {not_a_number, 5, 6}, {10, 20, 30});
  cmd::rotate_axis(1, 0.f, 1.f, 0.f, 10.f);
  EXPECT_TRUE(hostsim::log_of("Rotate").empty());
  expect_angles(1, 10, 20, 30);
}

// The alignment angles of an axis with infinite components are those of the
// direction it tends to, so the object turns about that direction.
TEST_F(RotateAxis, InfiniteAxisTurnsAboutItsLimitDirection) {
  struct Case {
    Vec axis, limit;
  };
  const Case cases[] = {{{infinity, 0, 0}, {1, 0, 0}},
                        {{0, -infinity, 1}, {0, -1, 0}},
                        {{infinity, infinity, 2}, {1, 1, 0}},
                        {{3, -2, -infinity}, {0, 0, -1}}};
  for (const Case& c : cases) {
    place(1, {4, 5, 6}, {10, 20, 30});
    Mat before = orientation(1);
    cmd::rotate_axis(1, float(c.axis.x), float(c.axis.y), float(c.axis.z), 35.f);
    EXPECT_LT(angle_between(orientation(1), times(about(c.limit, 35), before)), tolerance_degrees)
        << c.limit.x << " " << c.limit.y << " " << c.limit.z;
    expect_same_position(1, {4, 5, 6});
  }
}

TEST_F(RotateAxis, UnknownObjectIsPassedToTheHost) {
  cmd::rotate_axis(77, 0.f, 1.f, 0.f, 10.f);
  EXPECT_EQ(hostsim::log_of("MoveRight"), Lines{"Basic3D.MoveRight(77,1)"});
  EXPECT_TRUE(hostsim::scene.objects.empty());
}

class SingleAxis : public HostTest {};

TEST_F(SingleAxis, WorldZAndOwnXOnlyAddToOneAngle) {
  place(1, {0, 0, 0}, {10, 20, 350});
  cmd::rotate_gz(1, 30.f);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic3D.GetZRotationEx(1)", "Basic3D.GetYRotationEx(1)",
                                   "Basic3D.GetXRotationEx(1)", "Basic3D.Rotate(1,10,20,380)"}));
  hostsim::clear_log();
  cmd::rotate_lx(1, -15.5f);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic3D.GetZRotationEx(1)", "Basic3D.GetYRotationEx(1)",
                                   "Basic3D.GetXRotationEx(1)", "Basic3D.Rotate(1,-5.5,20,380)"}));
  cmd::rotate_gz(1, -30.f);
  cmd::rotate_lx(1, 15.5f);
  expect_angles(1, 10, 20, 350);
  cmd::rotate_gz(1, not_a_number);
  EXPECT_EQ(hostsim::log_of("Rotate").size(), 4u);  // no guard: NaN goes on to the host
  EXPECT_TRUE(std::isnan(angles_of(1).z));
}

TEST_F(SingleAxis, WorldXAndYTurnTheSampledFrame) {
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_gx(1, 30.f);
  EXPECT_EQ(hostsim::log_without({"SinFF", "CosFF", "Atan2FFF", "Rotate"}), probe_log);
  EXPECT_EQ(Lines(hostsim::log().begin() + 13, hostsim::log().begin() + 15),
            (Lines{"Core.SinFF(30)", "Core.CosFF(30)"}));
  EXPECT_EQ(hostsim::log_of("Atan2FFF").size(), 3u);
  expect_angles(1, 30, 0, 0);
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_gy(1, 30.f);
  expect_angles(1, 0, 30, 0);
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_gx(1, 0.f);
  expect_angles(1, 0, 0, 0);
}

TEST_F(SingleAxis, WorldXAndYGuardAgainstNaN) {
  place(1, {0, 0, 0}, {10, 20, 30});
  cmd::rotate_gx(1, not_a_number);
  cmd::rotate_gy(1, infinity);
  EXPECT_TRUE(hostsim::log_of("Rotate").empty());
  expect_angles(1, 10, 20, 30);
}

TEST_F(SingleAxis, OwnYSamplesUpThenTurnsAboutIt) {
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::rotate_ly(1, 20.f);
  Lines expected = {"Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)",
                    "Basic3D.MoveUp(1,1)",       "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)",
                    "Basic3D.GetZPositionEx(1)", "Basic3D.MoveDown(1,1)"};
  Lines moves = hostsim::log_without({"SinFF", "CosFF", "Atan2FFF", "Rotate"});
  EXPECT_EQ(moves, concat(expected, probe_log));
  EXPECT_EQ(hostsim::log_of("Atan2FFF").front(), "Core.Atan2FFF(1,0)");  // the up axis (0, 1, 0)
  expect_angles(1, 0, 20, 0);
  hostsim::clear_log();
  cmd::rotate_lz(1, 20.f);
  EXPECT_EQ(Lines(hostsim::log().begin() + 3, hostsim::log().begin() + 5),
            (Lines{"Basic3D.Move(1,1)", "Basic3D.GetXPositionEx(1)"}));
  EXPECT_EQ(hostsim::log()[7], "Basic3D.Move(1,-1)");
}

TEST_F(SingleAxis, NetEffectsAgainstMatrices) {
  struct Command {
    const char* name;
    void (*run)(int, float);
    bool world;
    Mat (*turn)(double);
  };
  auto gx = [](int o, float a) { cmd::rotate_gx(o, a); };
  auto gy = [](int o, float a) { cmd::rotate_gy(o, a); };
  auto gz = [](int o, float a) { cmd::rotate_gz(o, a); };
  auto lx = [](int o, float a) { cmd::rotate_lx(o, a); };
  auto ly = [](int o, float a) { cmd::rotate_ly(o, a); };
  auto lz = [](int o, float a) { cmd::rotate_lz(o, a); };
  const Command commands[] = {{"GX", gx, true, rx},  {"GY", gy, true, ry},  {"GZ", gz, true, rz},
                              {"LX", lx, false, rx}, {"LY", ly, false, ry}, {"LZ", lz, false, rz}};
  Random random;
  for (const Command& command : commands) {
    for (int i = 0; i < random_cases / 2; ++i) {
      Vec p = random.point(100), a = random.angles();
      float angle = random.angle();
      place(1, p, a);
      Mat before = orientation(1);
      command.run(1, angle);
      Mat expected = command.world ? times(command.turn(angle), before) : times(before, command.turn(angle));
      ASSERT_LT(angle_between(orientation(1), expected), tolerance_degrees) << command.name << " case " << i;
      expect_same_position(1, p);
    }
  }
}

TEST_F(SingleAxis, OwnZEqualsWorldZWhenUntilted) {
  place(1, {0, 0, 0}, {0, 0, 25});
  cmd::rotate_lz(1, 40.f);
  Mat local = orientation(1);
  place(1, {0, 0, 0}, {0, 0, 25});
  cmd::rotate_gz(1, 40.f);
  EXPECT_LT(angle_between(orientation(1), local), tolerance_degrees);
}
