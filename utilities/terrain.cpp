// SMOOTH MATRIX, NORMALIZE MATRIX, RANDOMIZE MATRIX.
//
// A size n names a square grid with vertex coordinates 0..n both ways.  The
// plug-in keeps no copy of the grid: every height is read from and written to
// the host as it goes.  Coordinates are counted in 64 bits, so no size makes
// a loop bound or a neighbour coordinate overflow; every coordinate passed to
// the host lies between 0 and n.
#include "../plugin/commands.h"
#include "../plugin/host.h"

namespace {

constexpr float neighbour_weight = 0.25f;
constexpr double tile_spacing = 25.0;  // horizontal distance between vertices
constexpr float right_angle = 90.0f;

using Coord = long long;

float height(int matrix, Coord first, Coord second) {
  return as_float(H.GetHeightEx(matrix, static_cast<int>(first), static_cast<int>(second)));
}

// The spacing between vertex k - 1 and vertex k, as the difference of their
// horizontal positions, each stored as a float.
float spacing_before(Coord k) { return f32(tile_spacing * k) - f32(tile_spacing * (k - 1)); }

// The angle of a slope, turned so that level ground gives 0 degrees.
float slope_angle(float spacing, float rise) {
  float angle = as_float(H.Atan2FFF(spacing, rise));
  return as_float(H.WrapValueFF(right_angle - angle));
}

}  // namespace

// Each inner vertex becomes the mean of its four neighbours, written back at
// once: later vertices of the same pass average the heights already written.
void smooth_matrix(int matrix, int n, int passes) {
  host::ensure_bound();
  for (int pass = 0; pass < passes; ++pass) {
    for (Coord j = 1; j <= Coord{n} - 1; ++j) {
      for (Coord i = 1; i <= Coord{n} - 1; ++i) {
        // Read right, below, left, above: the order the host sees.
        float right = height(matrix, i + 1, j);
        float below = height(matrix, i, j - 1);
        float left = height(matrix, i - 1, j);
        float above = height(matrix, i, j + 1);
        float total = below + right;
        total = total + left;
        total = total + above;
        H.SetHeight(matrix, static_cast<int>(i), static_cast<int>(j), total * neighbour_weight);
      }
    }
  }
  H.Apply(matrix);
}

// Each vertex with both coordinates from 1 gets a normal from the two height
// differences along the second coordinate, at first coordinates i - 1 and i.
void normalize_matrix(int matrix, int n) {
  host::ensure_bound();
  for (Coord j = 1; j <= n; ++j) {
    for (Coord i = 1; i <= n; ++i) {
      // Read in this order: (i, j−1), (i−1, j), (i−1, j−1), (i, j).
      float a = height(matrix, i, j - 1);
      float b = height(matrix, i - 1, j);
      float c = height(matrix, i - 1, j - 1);
      float d = height(matrix, i, j);
      float w1 = slope_angle(spacing_before(i), b - c);
      float w2 = slope_angle(spacing_before(j), a - d);
      float x = as_float(H.SinFF(w1));
      float y = as_float(H.CosFF(w1));
      float z = as_float(H.SinFF(w2));  // no cosine of w2 is asked
      H.SetNormal(matrix, static_cast<int>(i), static_cast<int>(j), x, y, z);
    }
  }
  H.Apply(matrix);
}

// Heights low + a whole random number below the range's whole part.
void randomize_matrix(int matrix, int n, float low, float high) {
  host::ensure_bound();
  H.Randomize(H.TimerL());
  int range = trunc_int(high - low);
  for (Coord x = 0; x <= n; ++x)
    for (Coord z = 0; z <= n; ++z) H.SetHeight(matrix, static_cast<int>(x), static_cast<int>(z), low + H.RndLL(range));
  H.Apply(matrix);
}
