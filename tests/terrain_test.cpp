// SMOOTH MATRIX, NORMALIZE MATRIX, RANDOMIZE MATRIX on the stand-in host's
// terrain grids.
#include <algorithm>
#include <climits>
#include <cmath>

#include "../hostsim/matrix_state.h"
#include "plugin.h"

namespace {

constexpr int grid = 7;

class Terrain : public plugin::HostTest {
 protected:
  hostsim::Matrix& matrix(int tiles) { return hostsim::make_matrix(grid, tiles, tiles); }
  hostsim::Matrix& current() { return hostsim::matrix_state.matrices.at(grid); }
  // Heights h(x, z) = x + 10 z + 100 (x z), distinct everywhere.
  hostsim::Matrix& uneven(int tiles) {
    hostsim::Matrix& m = matrix(tiles);
    for (int z = 0; z <= tiles; ++z)
      for (int x = 0; x <= tiles; ++x) m.height(x, z) = float(x + 10 * z + 100 * x * z);
    return m;
  }
};

TEST_F(Terrain, SmoothingWithoutPassesOnlyApplies) {
  hostsim::Matrix before = uneven(3);
  for (int passes : {0, -1, INT_MIN}) {
    hostsim::clear_log();
    cmd::smooth_matrix(grid, 3, passes);
    EXPECT_EQ(hostsim::log(), Lines{"Matrix.Apply(7)"});
  }
  EXPECT_EQ(current().heights, before.heights);
  EXPECT_EQ(current().applied, 3);
}

TEST_F(Terrain, SmoothingASizeTwoGridRewritesTheCentreAlone) {
  hostsim::Matrix before = uneven(2);
  cmd::smooth_matrix(grid, 2, 1);
  EXPECT_EQ(hostsim::log(),
            (Lines{"Matrix.GetHeightEx(7,2,1)", "Matrix.GetHeightEx(7,1,0)", "Matrix.GetHeightEx(7,0,1)",
                   "Matrix.GetHeightEx(7,1,2)", "Matrix.SetHeight(7,1,1,111)", "Matrix.Apply(7)"}));
  // (2, 1) = 212, (1, 0) = 1, (0, 1) = 10, (1, 2) = 221: the mean is 111.
  hostsim::Matrix after = current();
  EXPECT_EQ(after.height(1, 1), (212.0f + 1 + 10 + 221) * 0.25f);
  after.height(1, 1) = before.height(1, 1);
  EXPECT_EQ(after.heights, before.heights);
  // Float sums in the order read: 0.1 below, 1.2 right, 0.3 left, 0.4 above
  // make 2.00000024; every other order makes 2.
  hostsim::Matrix& m = matrix(2);
  m.height(1, 0) = 0.1f, m.height(2, 1) = 1.2f, m.height(0, 1) = 0.3f, m.height(1, 2) = 0.4f;
  hostsim::clear_log();
  cmd::smooth_matrix(grid, 2, 1);
  EXPECT_EQ(hostsim::log_of("SetHeight"), Lines{"Matrix.SetHeight(7,1,1,0.50000006)"});
}

TEST_F(Terrain, SmoothingWritesEachVertexBeforeTheNextIsRead) {
  hostsim::Matrix& m = matrix(3);
  m.height(2, 1) = 8.0f;  // the old right neighbour of (1, 1)
  m.height(1, 0) = 4.0f;
  cmd::smooth_matrix(grid, 3, 1);
  // (1, 1) averages the old (2, 1); (2, 1) then averages the new (1, 1).
  EXPECT_EQ(hostsim::log_of("SetHeight"), (Lines{"Matrix.SetHeight(7,1,1,3)", "Matrix.SetHeight(7,2,1,0.75)",
                                                 "Matrix.SetHeight(7,1,2,0.75)", "Matrix.SetHeight(7,2,2,0.375)"}));
  Lines log = hostsim::log();
  auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
  EXPECT_LT(at("Matrix.SetHeight(7,1,1,3)"), at("Matrix.GetHeightEx(7,3,1)"));  // first read for (2, 1)
  EXPECT_EQ(current().height(1, 1), 3.0f);
  EXPECT_EQ(current().height(2, 1), 0.75f);
}

TEST_F(Terrain, SmoothingRepeatsItsPasses) {
  hostsim::Matrix& m = matrix(2);
  m.height(1, 0) = 16.0f;
  cmd::smooth_matrix(grid, 2, 3);  // 16 / 4 each pass: the centre's own height takes no part
  EXPECT_EQ(hostsim::log_of("SetHeight"),
            (Lines{"Matrix.SetHeight(7,1,1,4)", "Matrix.SetHeight(7,1,1,4)", "Matrix.SetHeight(7,1,1,4)"}));
  EXPECT_EQ(current().applied, 1);
}

TEST_F(Terrain, SmoothingNeverWritesTheBorder) {
  uneven(4);
  cmd::smooth_matrix(grid, 4, 3);
  EXPECT_EQ(hostsim::log_of("SetHeight").size(), 3u * 9u);
  EXPECT_EQ(hostsim::log_of("GetHeightEx").size(), 3u * 9u * 4u);
  for (int k = 0; k <= 4; ++k) {
    EXPECT_EQ(current().height(k, 0), float(k));
    EXPECT_EQ(current().height(0, k), float(10 * k));
    EXPECT_EQ(current().height(k, 4), float(k + 40 + 400 * k));
    EXPECT_EQ(current().height(4, k), float(4 + 10 * k + 400 * k));
  }
  EXPECT_EQ(hostsim::matrix_state.refused, 0);
}

// Sizes where n - 1 or a loop bound would overflow a 32-bit integer: the
// loops are empty and only Apply is called.  (At the top, n = INT_MAX would
// mean some 2^62 vertices, which no test can run; its coordinates and loop
// counters are counted in 64 bits all the same.)
TEST_F(Terrain, ExtremeSizesWithEmptyLoopsOnlyApply) {
  matrix(2);
  for (int n : {INT_MIN, INT_MIN + 1, -1, 0, 1}) {
    hostsim::clear_log();
    cmd::smooth_matrix(grid, n, 5);
    EXPECT_EQ(hostsim::log(), Lines{"Matrix.Apply(7)"}) << n;
  }
  for (int n : {INT_MIN, -1, 0}) {
    hostsim::clear_log();
    cmd::normalize_matrix(grid, n);
    EXPECT_EQ(hostsim::log(), Lines{"Matrix.Apply(7)"}) << n;
  }
  for (int n : {INT_MIN, -1}) {
    hostsim::clear_log();
    cmd::randomize_matrix(grid, n, 0.0f, 10.0f);
    EXPECT_EQ(hostsim::log_without({"TimerL", "Randomize"}), Lines{"Matrix.Apply(7)"}) << n;
  }
}

TEST_F(Terrain, AFlatGridNormalIsStraightUp) {
  matrix(2);
  cmd::normalize_matrix(grid, 2);
  EXPECT_EQ(hostsim::log_of("SetNormal"), (Lines{"Matrix.SetNormal(7,1,1,0,1,0)", "Matrix.SetNormal(7,2,1,0,1,0)",
                                                 "Matrix.SetNormal(7,1,2,0,1,0)", "Matrix.SetNormal(7,2,2,0,1,0)"}));
  EXPECT_EQ(hostsim::log_of("Apply"), Lines{"Matrix.Apply(7)"});
}

TEST_F(Terrain, NormalCallSequenceOfOneVertex) {
  hostsim::Matrix& m = matrix(1);
  m.height(0, 1) = 25.0f;  // B - C = 25: the first angle is 45
  m.height(1, 1) = 25.0f;  // A - D = -25: the second is 90 - 135, wrapped to 315
  cmd::normalize_matrix(grid, 1);
  Lines log = hostsim::log();
  ASSERT_EQ(log.size(), 13u);
  EXPECT_EQ(Lines(log.begin(), log.begin() + 12),
            (Lines{"Matrix.GetHeightEx(7,1,0)", "Matrix.GetHeightEx(7,0,1)", "Matrix.GetHeightEx(7,0,0)",
                   "Matrix.GetHeightEx(7,1,1)", "Core.Atan2FFF(25,25)", "Core.WrapValueFF(45)", "Core.Atan2FFF(25,-25)",
                   "Core.WrapValueFF(-45)", "Core.SinFF(45)", "Core.CosFF(45)", "Core.SinFF(315)",
                   "Matrix.SetNormal(7,1,1,0.707106769,0.707106769,-0.707106769)"}));
  EXPECT_EQ(log.back(), "Matrix.Apply(7)");
}

TEST_F(Terrain, NormalsFollowOnlyDifferencesAlongTheSecondCoordinate) {
  hostsim::Matrix& m = matrix(3);
  for (int z = 0; z <= 3; ++z)
    for (int x = 0; x <= 3; ++x) m.height(x, z) = float(7 * x);
  cmd::normalize_matrix(grid, 3);
  for (int z = 1; z <= 3; ++z)
    for (int x = 1; x <= 3; ++x) {
      EXPECT_EQ(current().normal(x, z).x, 0.0f);
      EXPECT_EQ(current().normal(x, z).y, 1.0f);
      EXPECT_EQ(current().normal(x, z).z, 0.0f);
    }
}

TEST_F(Terrain, NormalsAreNeverSetAtCoordinateZero) {
  uneven(3);
  cmd::normalize_matrix(grid, 3);
  Lines normals = hostsim::log_of("SetNormal");
  ASSERT_EQ(normals.size(), 9u);
  EXPECT_EQ(normals[0].rfind("Matrix.SetNormal(7,1,1,", 0), 0u);
  EXPECT_EQ(normals[1].rfind("Matrix.SetNormal(7,2,1,", 0), 0u);  // first coordinate inner
  EXPECT_EQ(normals[3].rfind("Matrix.SetNormal(7,1,2,", 0), 0u);
  for (int k = 0; k <= 3; ++k) {
    EXPECT_EQ(current().normal(k, 0).y, 1.0f);
    EXPECT_EQ(current().normal(0, k).y, 1.0f);
  }
  EXPECT_EQ(hostsim::matrix_state.refused, 0);
}

TEST_F(Terrain, AGridSmallerThanTheSizeIsTheHostsConcern) {
  matrix(1);
  cmd::smooth_matrix(grid, 3, 1);
  cmd::normalize_matrix(grid, 3);
  EXPECT_GT(hostsim::matrix_state.refused, 0);  // refused by the stand-in, no harm done
  EXPECT_EQ(current().applied, 2);
}

TEST_F(Terrain, RandomHeightsAreTheLowestPlusWholeNumbers) {
  hostsim::core_state.timer = 1234;
  matrix(2);
  cmd::randomize_matrix(grid, 2, 0.5f, 3.7f);
  Lines log = hostsim::log();
  ASSERT_EQ(log.size(), 2u + 9u * 2u + 1u);
  EXPECT_EQ(log[0], "Core.TimerL()");
  EXPECT_EQ(log[1], "Core.Randomize(1234)");
  EXPECT_EQ(log[2], "Core.RndLL(3)");
  EXPECT_EQ(log[3].rfind("Matrix.SetHeight(7,0,0,", 0), 0u);
  EXPECT_EQ(log[5].rfind("Matrix.SetHeight(7,0,1,", 0), 0u);  // second coordinate inner
  EXPECT_EQ(log[9].rfind("Matrix.SetHeight(7,1,0,", 0), 0u);
  EXPECT_EQ(log.back(), "Matrix.Apply(7)");
  for (float h : current().heights) {
    EXPECT_TRUE(h == 0.5f || h == 1.5f || h == 2.5f || h == 3.5f) << h;
  }
  // The range is a float difference: 9.9 - (-0.1) is 9.99999962, which as a
  // float is 10.
  hostsim::clear_log();
  cmd::randomize_matrix(grid, 0, -0.1f, 9.9f);
  EXPECT_EQ(hostsim::log_of("RndLL"), Lines{"Core.RndLL(10)"});
}

TEST_F(Terrain, RandomHeightsFollowTheHostTimer) {
  matrix(3);
  hostsim::core_state.timer = 99;
  cmd::randomize_matrix(grid, 3, 0.0f, 9.9f);
  std::vector<float> first = current().heights;
  cmd::randomize_matrix(grid, 3, 0.0f, 9.9f);
  EXPECT_EQ(current().heights, first);  // reseeded with the same timer value
  hostsim::core_state.timer = 100;
  cmd::randomize_matrix(grid, 3, 0.0f, 9.9f);
  EXPECT_NE(current().heights, first);
  EXPECT_EQ(hostsim::log_of("RndLL")[0], "Core.RndLL(9)");
}

TEST_F(Terrain, RandomizingSizeZeroSetsOneVertex) {
  matrix(2);
  cmd::randomize_matrix(grid, 0, 1.0f, 2.0f);
  Lines heights = hostsim::log_of("SetHeight");
  ASSERT_EQ(heights.size(), 1u);
  EXPECT_EQ(heights[0].rfind("Matrix.SetHeight(7,0,0,", 0), 0u);
  EXPECT_EQ(hostsim::log_of("RndLL"), Lines{"Core.RndLL(1)"});
  EXPECT_EQ(hostsim::log().back(), "Matrix.Apply(7)");
}

// A range too wide for an integer saturates instead of overflowing.
TEST_F(Terrain, AnEnormousRangeSaturates) {
  matrix(0);
  cmd::randomize_matrix(grid, 0, -3e38f, 3e38f);
  cmd::randomize_matrix(grid, 0, 0.0f, NAN);
  EXPECT_EQ(hostsim::log_of("RndLL"), (Lines{"Core.RndLL(2147483647)", "Core.RndLL(0)"}));
}

}  // namespace
