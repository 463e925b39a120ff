// Matrix module: terrain grids of heights and normals.  Calls on a missing
// matrix or a vertex outside the grid are refused (heights read as 0) and
// counted.
#include "impl.h"
#include "matrix_state.h"

namespace hostsim {

MatrixState matrix_state;

void reset_matrices() { matrix_state = MatrixState{}; }

Matrix& make_matrix(int number, int tiles_x, int tiles_z) {
  Matrix& matrix = matrix_state.matrices[number] = Matrix{};
  matrix.tiles_x = tiles_x > 0 ? tiles_x : 0;
  matrix.tiles_z = tiles_z > 0 ? tiles_z : 0;
  std::size_t vertices = (std::size_t(matrix.tiles_x) + 1) * (std::size_t(matrix.tiles_z) + 1);
  matrix.heights.assign(vertices, 0.0f);
  matrix.normals.assign(vertices, Normal{});
  return matrix;
}

namespace {

// The matrix a host function needs; a missing one is reported and counted.
Matrix* need_matrix(int number) {
  auto found = matrix_state.matrices.find(number);
  if (found != matrix_state.matrices.end()) return &found->second;
  missing("matrix", number);
  ++matrix_state.refused;
  return nullptr;
}

Matrix* vertex_owner(int number, int x, int z) {
  Matrix* matrix = need_matrix(number);
  if (matrix && !matrix->contains(x, z)) {
    ++matrix_state.refused;
    return nullptr;
  }
  return matrix;
}

}  // namespace

namespace impl {

void Matrix_Apply(int number) {
  if (Matrix* matrix = need_matrix(number)) ++matrix->applied;
}

KFloat Matrix_GetHeightEx(int number, int x, int z) {
  Matrix* matrix = vertex_owner(number, x, z);
  return float_result(matrix ? matrix->height(x, z) : 0.0f);
}

void Matrix_SetHeight(int number, int x, int z, float height) {
  if (Matrix* matrix = vertex_owner(number, x, z)) matrix->height(x, z) = height;
}

void Matrix_SetNormal(int number, int x, int z, float nx, float ny, float nz) {
  if (Matrix* matrix = vertex_owner(number, x, z)) matrix->normal(x, z) = Normal{nx, ny, nz};
}

}  // namespace impl
}  // namespace hostsim
