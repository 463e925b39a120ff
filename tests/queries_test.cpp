// CHECK OBJECT COLLISION AREA, GET DISTANCE, LOD DISTANCE,
// ANGLEBETWEENPOINTS, LINE3D.
#include <cmath>
#include <cstdint>
#include <limits>

#include "../hostsim/basic3d_state.h"
#include "plugin.h"
#include "rotation_reference.h"

namespace {

const float not_a_number = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();
constexpr double pi = 3.14159265358979323846;

// A small deterministic generator, the same on every platform.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}
  float between(float low, float high) {
    state_ = state_ * 1664525u + 1013904223u;
    return float(low + (high - low) * (state_ >> 8) / double(1 << 24));
  }

 private:
  std::uint32_t state_;
};

void place(int object, float x, float y, float z) { hostsim::make_object(object, "cube", {}).position = {x, y, z}; }

class Queries : public plugin::HostTest {};

}  // namespace

TEST_F(Queries, CollisionAreaIsAStrictCube) {
  place(1, 5, 0, 0);
  place(2, 0, 0, 0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(1, 2, 5.0f), 0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(1, 2, 5.1f), 1);
  EXPECT_EQ(cmd::checkobjectcollisionarea(2, 1, 5.1f), 1);
  EXPECT_EQ(cmd::checkobjectcollisionarea(2, 1, 5.0f), 0);  // -5 is on the lower bound
  place(3, 4, -4, 4);                                       // about 6.9 away, inside the cube all the same
  EXPECT_EQ(cmd::checkobjectcollisionarea(3, 2, 5.0f), 1);
  EXPECT_EQ(cmd::checkobjectcollisionarea(2, 2, 0.0f), 0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(2, 2, -1.0f), 0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(2, 2, not_a_number), 0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(3, 2, inf), 1);
  EXPECT_EQ(cmd::checkobjectcollisionarea(3, 2, -inf), 0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(98, 99, 1.0f), 1);  // missing objects read as the origin
  hostsim::clear_log();
  cmd::checkobjectcollisionarea(3, 2, 1.0f);
  EXPECT_EQ(hostsim::log(),
            (Lines{"Basic3D.GetXPositionEx(3)", "Basic3D.GetYPositionEx(3)", "Basic3D.GetZPositionEx(3)",
                   "Basic3D.GetXPositionEx(2)", "Basic3D.GetYPositionEx(2)", "Basic3D.GetZPositionEx(2)"}));
}

TEST_F(Queries, CollisionAreaComparesSingleDifferences) {
  Random random(7);
  for (int i = 0; i < 500; ++i) {
    float a[3], b[3];
    for (int k = 0; k < 3; ++k) a[k] = random.between(-50, 50), b[k] = random.between(-50, 50);
    float range = random.between(-5, 60);
    place(1, a[0], a[1], a[2]);
    place(2, b[0], b[1], b[2]);
    bool inside = true;
    for (int k = 0; k < 3; ++k) inside = inside && std::abs(a[k] - b[k]) < range;
    EXPECT_EQ(cmd::checkobjectcollisionarea(1, 2, range), inside ? 1 : 0) << i;
  }
  // 2^24 - (-6 + 2^-21) is just below 16777222, but as a float it is 16777222
  // itself, which is not strictly inside.
  place(1, 16777216.0f, 0, 0);
  place(2, -5.99999952f, 0, 0);
  ASSERT_LT(16777216.0 - double(-5.99999952f), 16777222.0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(1, 2, 16777222.0f), 0);
  EXPECT_EQ(cmd::checkobjectcollisionarea(1, 2, 16777224.0f), 1);
}

TEST_F(Queries, DistanceExamples) {
  EXPECT_EQ(as_float(cmd::get_distance(0, 0, 0, 3, 4, 0, 1)), 5.0f);
  EXPECT_EQ(as_float(cmd::get_distance(0, 0, 0, 3, 4, 0, 0)), 25.0f);
  EXPECT_EQ(as_float(cmd::get_distance(0, 0, 0, 3, 4, 0, 2)), 25.0f);
  EXPECT_EQ(as_float(cmd::get_distance(3, 4, 0, 0, 0, 0, -1)), 25.0f);
  EXPECT_EQ(as_float(cmd::get_distance(1, 2, 3, 1, 2, 3, 1)), 0.0f);
  EXPECT_TRUE(hostsim::log().empty());  // the square root is the plug-in's own
  EXPECT_TRUE(std::isnan(as_float(cmd::get_distance(not_a_number, 0, 0, 0, 0, 0, 1))));
  EXPECT_EQ(as_float(cmd::get_distance(inf, 0, 0, 0, 0, 0, 1)), inf);
  EXPECT_EQ(as_float(cmd::get_distance(3e38f, 0, 0, -3e38f, 0, 0, 0)), inf);
}

TEST_F(Queries, DistanceStoresEveryStepAsASingle) {
  Random random(11);
  int unlike_double = 0;
  for (int i = 0; i < 500; ++i) {
    float p[6];
    for (float& v : p) v = random.between(-1000, 1000);
    float dx = p[0] - p[3], dy = p[1] - p[4], dz = p[2] - p[5];
    float squared = dx * dx + dy * dy;
    squared = squared + dz * dz;
    double in_double = 0;
    for (int k = 0; k < 3; ++k) in_double += (double(p[k]) - p[k + 3]) * (double(p[k]) - p[k + 3]);
    unlike_double += float(in_double) != squared;
    EXPECT_EQ(as_float(cmd::get_distance(p[0], p[1], p[2], p[3], p[4], p[5], 0)), squared) << i;
    EXPECT_EQ(as_float(cmd::get_distance(p[0], p[1], p[2], p[3], p[4], p[5], 1)), std::sqrt(squared)) << i;
  }
  EXPECT_GT(unlike_double, 100);  // the inputs tell single steps from double ones
}

TEST_F(Queries, LodDistanceIgnoresHeight) {
  place(1, 3, 100, 4);
  EXPECT_EQ(as_float(cmd::lod_distance(1, 0)), 5.0f);
  EXPECT_EQ(hostsim::log(), (Lines{"Basic3D.GetXPositionEx(1)", "Camera.GetXPositionEx(0)", "Basic3D.GetZPositionEx(1)",
                                   "Camera.GetZPositionEx(0)"}));
  hostsim::scene.cameras[2].position = {3, -50, 10};
  EXPECT_EQ(as_float(cmd::lod_distance(1, 2)), 6.0f);
  place(4, not_a_number, 0, 0);
  EXPECT_TRUE(std::isnan(as_float(cmd::lod_distance(4, 0))));
}

TEST_F(Queries, LodDistanceStoresEveryStepAsASingle) {
  Random random(13);
  int unlike_double = 0;
  for (int i = 0; i < 300; ++i) {
    float ox = random.between(-500, 500), oz = random.between(-500, 500);
    hostsim::Vec3 camera{random.between(-500, 500), random.between(-500, 500), random.between(-500, 500)};
    place(1, ox, random.between(-500, 500), oz);
    hostsim::scene.cameras[3].position = camera;
    float dx = ox - camera.x, dz = oz - camera.z;
    float expected = std::sqrt(dx * dx + dz * dz);
    double ddx = double(ox) - camera.x, ddz = double(oz) - camera.z;
    unlike_double += float(std::sqrt(ddx * ddx + ddz * ddz)) != expected;
    EXPECT_EQ(as_float(cmd::lod_distance(1, 3)), expected) << i;
  }
  EXPECT_GT(unlike_double, 30);
}

TEST_F(Queries, AngleBetweenPoints) {
  EXPECT_EQ(as_float(cmd::anglebetweenpoints(0, 0, 0, 1, 0, 0, 0, 2, 0)), 90.0f);
  EXPECT_EQ(hostsim::log(), (Lines{"Core.SqrtFF(1)", "Core.SqrtFF(4)", "Core.AcosFF(0)"}));
  EXPECT_NEAR(as_float(cmd::anglebetweenpoints(1, 1, 1, 2, 1, 1, 2, 2, 1)), 45.0f, 1e-5);
  EXPECT_NEAR(as_float(cmd::anglebetweenpoints(0, 0, 0, 1, 0, 0, -3, 0, 0)), 180.0f, 1e-5);
  // The cosine is not clamped: rounding can take it just above 1.
  hostsim::clear_log();
  EXPECT_TRUE(std::isnan(as_float(cmd::anglebetweenpoints(0, 0, 0, 1, 1, 0, 1, 1, 0))));
  EXPECT_EQ(hostsim::log_of("AcosFF"), (Lines{"Core.AcosFF(1.00000012)"}));
  // Float sums in the order y, x, z: for (0.1, 0.1, 0.5) the squares make
  // 0.270000011, for (0.3, 0.4, 0.2) 0.289999992, the products 0.170000017;
  // with the z term in the first of the two sums they would make 0.269999981,
  // 0.290000021 and 0.170000002.
  hostsim::clear_log();
  cmd::anglebetweenpoints(0, 0, 0, 0.1f, 0.1f, 0.5f, 0.3f, 0.4f, 0.2f);
  EXPECT_EQ(hostsim::log(),
            (Lines{"Core.SqrtFF(0.270000011)", "Core.SqrtFF(0.289999992)", "Core.AcosFF(0.607530534)"}));
  // Coincident points: the cosine is not a number and goes to the host as such.
  EXPECT_TRUE(std::isnan(as_float(cmd::anglebetweenpoints(1, 2, 3, 4, 5, 6, 1, 2, 3))));
  EXPECT_TRUE(std::isnan(as_float(cmd::anglebetweenpoints(not_a_number, 0, 0, 1, 0, 0, 0, 1, 0))));
  EXPECT_TRUE(std::isnan(as_float(cmd::anglebetweenpoints(0, 0, 0, inf, 0, 0, 0, 1, 0))));
}

TEST_F(Queries, AngleBetweenPointsAgainstDoublePrecision) {
  Random random(17);
  for (int i = 0; i < 500; ++i) {
    double u[3], v[3];
    float p[9];
    for (float& c : p) c = random.between(-100, 100);
    for (int k = 0; k < 3; ++k) u[k] = double(p[3 + k]) - p[k], v[k] = double(p[6 + k]) - p[k];
    double dot = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
    double lengths =
        std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]) * std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    double expected = std::acos(dot / lengths) * 180 / pi;
    float angle = as_float(cmd::anglebetweenpoints(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8]));
    EXPECT_NEAR(angle, expected, reference::arccosine_tolerance_degrees) << i;
  }
}

TEST_F(Queries, Line3dDrawsFromTheSecondPointToTheFirst) {
  place(1000, 7, 7, 7);  // the program's object 1000 is replaced and gone afterwards
  hostsim::clear_log();
  cmd::line3d(0, 0, 10, 1, 1, 10);
  EXPECT_EQ(hostsim::log(),
            (Lines{"Basic3D.MakeCube(1000,0)", "Basic3D.Position(1000,0,0,10)", "Basic3D.GetScreenX(1000)",
                   "Basic3D.GetScreenY(1000)", "Basic3D.Position(1000,1,1,10)", "Basic3D.GetScreenY(1000)",
                   "Basic3D.GetScreenX(1000)", "Basic2D.Line(361,198,320,240)", "Basic3D.DeleteEx(1000)"}));
  EXPECT_TRUE(hostsim::scene.objects.empty());
}

TEST_F(Queries, Line3dFollowsTheCamera) {
  hostsim::scene.cameras[0].position = {10, 0, -20};
  cmd::line3d(10, 0, 0, 10, 0, 0);  // both ends the same point, straight ahead
  EXPECT_EQ(hostsim::log_of("Line"), (Lines{"Basic2D.Line(320,240,320,240)"}));
  hostsim::clear_log();
  hostsim::scene.cameras[0] = {};
  hostsim::scene.cameras[0].angles = {0, 90, 0};  // looking along +X
  cmd::line3d(10, 0, 0, 10, -1, 0);
  EXPECT_EQ(hostsim::log_of("Line"), (Lines{"Basic2D.Line(320,281,320,240)"}));
}

TEST_F(Queries, Line3dWithPointsBehindTheCameraOrNotFinite) {
  cmd::line3d(0, 0, -10, not_a_number, inf, -inf);
  cmd::line3d(1e30f, -1e30f, 1e-30f, 5, 0, -1);
  Lines lines = hostsim::log_of("Line");
  ASSERT_EQ(lines.size(), 2u);
  // A point that is not a number projects to 0, 0; one straight behind the
  // camera to the centre; far-off ones saturate.
  EXPECT_EQ(lines[0], "Basic2D.Line(0,0,320,240)");
  EXPECT_EQ(lines[1], "Basic2D.Line(2078780,240,2147483647,2147483647)");
  EXPECT_TRUE(hostsim::scene.objects.empty());
}
