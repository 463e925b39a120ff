// State of the stand-in matrix module: terrain grids of heights and normals,
// for tests to build and read.
#pragma once
#include <map>
#include <vector>

#include "hostsim.h"

namespace hostsim {

struct Normal {
  float x = 0, y = 1, z = 0;
};

// A grid of tiles_x x tiles_z tiles: vertices (x, z) with x in 0..tiles_x and
// z in 0..tiles_z, addressed by the host functions as (first, second) = (x, z).
struct Matrix {
  int tiles_x = 0, tiles_z = 0;
  std::vector<float> heights;  // row after row of z, x within a row
  std::vector<Normal> normals;
  int applied = 0;  // Apply calls

  bool contains(int x, int z) const { return x >= 0 && x <= tiles_x && z >= 0 && z <= tiles_z; }
  float& height(int x, int z) { return heights[index(x, z)]; }
  Normal& normal(int x, int z) { return normals[index(x, z)]; }
  std::size_t index(int x, int z) const {
    return static_cast<std::size_t>(z) * (static_cast<std::size_t>(tiles_x) + 1) + static_cast<std::size_t>(x);
  }
};

struct MatrixState {
  std::map<int, Matrix> matrices;
  int refused = 0;  // calls on a missing matrix or a vertex outside its grid
};

HS_API extern MatrixState matrix_state;

// A flat grid (heights 0, normals straight up) under the number.
HS_API Matrix& make_matrix(int number, int tiles_x, int tiles_z);

}  // namespace hostsim
