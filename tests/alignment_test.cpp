// ALIGN_AXES, SMOOTH_ALIGN_AXES, ANGLE_AXES, SMOOTH_ANGLE_AXES.
#include <limits>

#include "plugin.h"
#include "rotation_reference.h"

using namespace reference;
using plugin::HostTest;

namespace {

constexpr int random_cases = 200;

// The object's local direction in world coordinates, from the stand-in host.
Vec world_direction(int object, Vec local) { return times(orientation(object), local); }

// A target at `degrees` from the world direction of `local`, turned about an
// axis across it.
Vec target_at(int object, Vec local, double degrees) {
  Vec d = world_direction(object, local);
  Vec across{d.y, -d.x, 0};
  if (length(across) < 1e-6) across = {1, 0, 0};
  return times(about(across, degrees), d);
}

struct Floats {
  float x, y, z;
};
Floats f(Vec v) { return {float(v.x), float(v.y), float(v.z)}; }
Vec rounded(Vec v) { return {float(v.x), float(v.y), float(v.z)}; }

void align(int object, Vec local, Vec target) {
  Floats l = f(local), t = f(target);
  cmd::align_axes(object, l.x, l.y, l.z, t.x, t.y, t.z);
}
void smooth_align(int object, Vec local, Vec target, float step) {
  Floats l = f(local), t = f(target);
  cmd::smooth_align_axes(object, l.x, l.y, l.z, t.x, t.y, t.z, step);
}
void angle_axes(int object, Vec local, Vec target, float wanted, int flag) {
  Floats l = f(local), t = f(target);
  cmd::angle_axes(object, l.x, l.y, l.z, t.x, t.y, t.z, wanted, flag);
}
void smooth_angle(int object, Vec local, Vec target, float wanted, int flag, float step) {
  Floats l = f(local), t = f(target);
  cmd::smooth_angle_axes(object, l.x, l.y, l.z, t.x, t.y, t.z, wanted, flag, step);
}

}  // namespace

class Alignment : public HostTest {};

TEST_F(Alignment, MeasuresByMovingAlongTheLocalVectorThenRotatesAboutTheCross) {
  place(1, {0, 0, 0}, {0, 0, 0});
  cmd::align_axes(1, 0.f, 0.f, 2.f, 1.f, 0.f, 0.f);
  Lines measurement = {
      "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)", "Basic3D.MoveRight(1,0)",
      "Basic3D.MoveUp(1,0)", "Basic3D.Move(1,2)", "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)",
      "Basic3D.GetZPositionEx(1)", "Basic3D.MoveRight(1,-0)", "Basic3D.MoveUp(1,-0)", "Basic3D.Move(1,-2)",
      "Core.SqrtFF(4)", "Core.SqrtFF(1)", "Core.AcosFF(0)",
      // rotate_axis about d × t = (0, 2, 0) by 90: its probe comes next
      "Basic3D.GetXPositionEx(1)", "Basic3D.GetYPositionEx(1)", "Basic3D.GetZPositionEx(1)", "Basic3D.MoveRight(1,1)"};
  Lines log = hostsim::log();
  ASSERT_GT(log.size(), measurement.size());
  EXPECT_EQ(Lines(log.begin(), log.begin() + measurement.size()), measurement);
  EXPECT_EQ(log[measurement.size() + 9], "Core.Atan2FFF(2,0)");  // alpha of the axis (0, 2, 0)
  EXPECT_EQ(hostsim::log_of("Rotate").size(), 1u);
  EXPECT_LT(angle_between(world_direction(1, {0, 0, 1}), Vec{1, 0, 0}), arccosine_tolerance_degrees);
  // The cosine 9 / (3 · √27) = 0.5773502692: divided by the lengths' product
  // stored as a float (15.5884571) it is 0.577350259; by the product in double
  // it would be 0.577350318.
  place(1, {0, 0, 0}, {0, 0, 0});
  hostsim::clear_log();
  cmd::align_axes(1, 0.f, 0.f, 3.f, 3.f, 3.f, 3.f);
  EXPECT_EQ(hostsim::log_of("AcosFF"), Lines{"Core.AcosFF(0.577350259)"});
}

TEST_F(Alignment, AlignPointsTheLocalDirectionAlongTheTarget) {
  Random random;
  for (int i = 0; i < random_cases; ++i) {
    Vec p = random.point(100), local = rounded(random.direction()), target = rounded(random.direction());
    place(1, p, random.angles());
    align(1, local, target);
    ASSERT_LT(angle_between(world_direction(1, local), target), arccosine_tolerance_degrees) << "case " << i;
    expect_position(1, p, 1e-4);
  }
}

TEST_F(Alignment, SmoothAlignTurnsByAtMostTheStep) {
  Random random;
  for (int i = 0; i < random_cases; ++i) {
    Vec p = random.point(100), local = rounded(random.direction()), target = rounded(random.direction());
    float step = float(random.uniform(0.5, 60));
    place(1, p, random.angles());
    Mat before = orientation(1);
    double start = angle_between(world_direction(1, local), target);
    smooth_align(1, local, target, step);
    double turned = angle_between(before, orientation(1));
    double expected_turn = std::fmin(start, double(step));
    ASSERT_NEAR(turned, expected_turn, arccosine_tolerance_degrees) << "case " << i;
    EXPECT_NEAR(angle_between(world_direction(1, local), target), start - expected_turn, arccosine_tolerance_degrees);
    expect_position(1, p, 1e-4);
  }
}

TEST_F(Alignment, SmoothAlignListedSteps) {
  Vec forward{0, 0, 1};
  place(1, {0, 0, 0}, {0, 0, 0});
  smooth_align(1, forward, target_at(1, forward, 30), 5.f);
  EXPECT_NEAR(angle_between(orientation(1), euler(0, 0, 0)), 5, listed_tolerance_degrees);
  place(1, {0, 0, 0}, {0, 0, 0});
  Vec target = target_at(1, forward, 3);
  smooth_align(1, forward, target, 5.f);
  EXPECT_LT(angle_between(world_direction(1, forward), target), arccosine_tolerance_degrees);
  place(1, {0, 0, 0}, {0, 0, 0});
  smooth_align(1, forward, target, -5.f);  // a negative step turns by 5, past the target
  EXPECT_NEAR(angle_between(orientation(1), euler(0, 0, 0)), 5, listed_tolerance_degrees);
  EXPECT_NEAR(angle_between(world_direction(1, forward), target), 2, listed_tolerance_degrees);
}

TEST_F(Alignment, AngleAxesReachesTheWantedAngle) {
  Random random;
  for (int i = 0; i < random_cases; ++i) {
    Vec p = random.point(100), local = rounded(random.direction()), target = rounded(random.direction());
    float wanted = float(random.uniform(0, 180));
    place(1, p, random.angles());
    angle_axes(1, local, target, wanted, 0);
    ASSERT_NEAR(angle_between(world_direction(1, local), target), wanted, arccosine_tolerance_degrees) << "case " << i;
    expect_position(1, p, 1e-4);
  }
}

TEST_F(Alignment, DirectionFlagDecidesBeforeTheStep) {
  Vec forward{0, 0, 1};
  struct Case {
    double current;  // degrees from forward; 45 is the exact target (1, 0, 1)
    int flag;
    bool turns;
  };
  const Case cases[] = {{30, 1, false},  {30, -1, true}, {30, 0, true},  {60, 1, true},
                        {60, -1, false}, {45, 0, true},  {45, 1, false}, {45, -1, false}};
  for (const Case& c : cases) {
    place(1, {0, 0, 0}, {0, 0, 0});
    Vec target = c.current == 45 ? Vec{1, 0, 1} : target_at(1, forward, c.current);
    hostsim::clear_log();
    angle_axes(1, forward, target, 45.f, c.flag);
    EXPECT_EQ(hostsim::log_of("Rotate").size(), c.turns ? 1u : 0u) << c.current << " flag " << c.flag;
    if (c.turns) {
      EXPECT_NEAR(angle_between(world_direction(1, forward), target), 45, listed_tolerance_degrees);
    } else {
      EXPECT_EQ(hostsim::log_of("MoveLeft").size(), 0u);  // no second probe
    }
  }
  EXPECT_EQ(hostsim::log_of("AcosFF"), Lines{"Core.AcosFF(0.707106769)"});
  place(1, {0, 0, 0}, {0, 0, 0});
  Vec target = target_at(1, forward, 30);
  smooth_angle(1, forward, target, 45.f, -1, 4.f);  // opens by the step only
  EXPECT_NEAR(angle_between(world_direction(1, forward), target), 34, listed_tolerance_degrees);
  smooth_angle(1, forward, target, 45.f, 1, 4.f);  // only closes: nothing
  EXPECT_NEAR(angle_between(world_direction(1, forward), target), 34, listed_tolerance_degrees);
  for (int call = 0; call < 5; ++call) smooth_angle(1, forward, target, 45.f, 0, 4.f);
  EXPECT_NEAR(angle_between(world_direction(1, forward), target), 45, listed_tolerance_degrees);
}

TEST_F(Alignment, OnlyTheDirectionOfTheLocalVectorMatters) {
  place(1, {1, 2, 3}, {10, 20, 30});
  align(1, {0, 0, 1}, {1, 1, 1});
  Mat unit = orientation(1);
  place(1, {1, 2, 3}, {10, 20, 30});
  align(1, {0, 0, 10}, {1, 1, 1});
  EXPECT_LT(angle_between(orientation(1), unit), arccosine_tolerance_degrees);
}

TEST_F(Alignment, AlreadyAlignedKeepsTheOrientation) {
  place(1, {1, 2, 3}, {10, 20, 30});
  Mat before = orientation(1);
  Vec forward = world_direction(1, {0, 0, 1});
  align(1, {0, 0, 1}, forward);
  EXPECT_LT(angle_between(orientation(1), before), arccosine_tolerance_degrees);
}

// Opposite directions give a zero cross product, which turns about world Z.
TEST_F(Alignment, OppositeTargetTurnsAboutWorldZ) {
  place(1, {0, 0, 0}, {0, 0, 0});
  align(1, {0, 0, 1}, {0, 0, -1});
  EXPECT_EQ(hostsim::log_of("AcosFF"), Lines{"Core.AcosFF(-1)"});
  EXPECT_LT(angle_between(orientation(1), rz(180)), arccosine_tolerance_degrees);
}

// A zero vector makes the cosine 0/0: the angle is NaN and the rotation's
// guard keeps the orientation.
TEST_F(Alignment, ZeroOrNaNVectorsKeepTheOrientation) {
  const float not_a_number = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    Vec local, target;
  };
  const Case cases[] = {{{0, 0, 0}, {1, 0, 0}},
                        {{0, 0, 1}, {0, 0, 0}},
                        {{not_a_number, 0, 1}, {1, 0, 0}},
                        {{0, 0, 1}, {0, not_a_number, 0}}};
  for (const Case& c : cases) {
    place(1, {4, 5, 6}, {10, 20, 30});
    align(1, c.local, c.target);
    smooth_align(1, c.local, c.target, 5.f);
    angle_axes(1, c.local, c.target, 10.f, 0);
    smooth_angle(1, c.local, c.target, 10.f, 0, 5.f);
    angle_axes(1, c.local, c.target, 10.f, 1);
    EXPECT_TRUE(hostsim::log_of("Rotate").empty());
    hostsim::Vec3 angles = hostsim::scene.objects[1].angles;
    EXPECT_EQ(angles.x, 10.f);
    EXPECT_EQ(angles.y, 20.f);
    EXPECT_EQ(angles.z, 30.f);
    // A NaN local vector is a NaN move for the host, which loses the position.
    if (!std::isnan(c.local.x)) expect_position(1, {4, 5, 6}, 1e-4);
  }
}
