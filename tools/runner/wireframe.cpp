#include "wireframe.h"

#include <algorithm>
#include <cmath>

#include "../../hostsim/matrices.h"
#include "../../hostsim/objects.h"
#include "../../hostsim/png_io.h"
#include "../../hostsim/screen.h"
#include "../../hostsim/storage.h"

namespace runner {
namespace {

constexpr double field_of_view_degrees = 60.0;
constexpr double near_plane = 0.01;
constexpr double matrix_tile_size = 25.0;
constexpr double pi = 3.14159265358979323846;

struct Point3 {
  double x, y, z;
};

struct Canvas {
  int width, height;
  std::vector<std::uint32_t> pixels;

  void plot(int x, int y, std::uint32_t colour) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = colour;
  }
};

// Cuts the segment a-b to the part inside [0, width) x [0, height);
// false when nothing of it is inside (Liang-Barsky).
bool clip_to_canvas(double& ax, double& ay, double& bx, double& by, int width, int height) {
  double t0 = 0, t1 = 1, dx = bx - ax, dy = by - ay;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax, width - 1 - ax, ay, height - 1 - ay};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  bx = ax + t1 * dx, by = ay + t1 * dy;
  ax = ax + t0 * dx, ay = ay + t0 * dy;
  return true;
}

void draw_line(Canvas& canvas, double ax, double ay, double bx, double by, std::uint32_t colour) {
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  if (!clip_to_canvas(ax, ay, bx, by, canvas.width, canvas.height)) return;
  int x0 = int(std::lround(ax)), y0 = int(std::lround(ay)), x1 = int(std::lround(bx)), y1 = int(std::lround(by));
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, error = dx + dy;
  for (;;) {
    canvas.plot(x0, y0, colour);
    if (x0 == x1 && y0 == y1) return;
    int twice = 2 * error;
    if (twice >= dy) error += dy, x0 += sx;
    if (twice <= dx) error += dx, y0 += sy;
  }
}

// Camera space: relative to the camera, turned back by its angles.
struct View {
  Point3 eye;
  hostsim::Matrix3 turn;
  double focal, centre_x, centre_y;

  Point3 to_camera(Point3 world) const {
    double x = world.x - eye.x, y = world.y - eye.y, z = world.z - eye.z;
    return {turn[0][0] * x + turn[1][0] * y + turn[2][0] * z, turn[0][1] * x + turn[1][1] * y + turn[2][1] * z,
            turn[0][2] * x + turn[1][2] * y + turn[2][2] * z};
  }

  // Draws the camera-space edge a-b, cut at the near plane.
  void edge(Canvas& canvas, Point3 a, Point3 b, std::uint32_t colour) const {
    if (a.z < near_plane && b.z < near_plane) return;
    auto cut = [](Point3 behind, Point3 front) {
      double t = (near_plane - behind.z) / (front.z - behind.z);
      return Point3{behind.x + t * (front.x - behind.x), behind.y + t * (front.y - behind.y), near_plane};
    };
    if (a.z < near_plane) a = cut(a, b);
    if (b.z < near_plane) b = cut(b, a);
    draw_line(canvas, centre_x + focal * a.x / a.z, centre_y - focal * a.y / a.z, centre_x + focal * b.x / b.z,
              centre_y - focal * b.y / b.z, colour);
  }
};

View camera_view(int width, int height) {
  const hostsim::Camera& camera = hostsim::scene.cameras[hostsim::scene.current_camera];
  double focal = (height / 2.0) / std::tan(field_of_view_degrees / 2.0 * pi / 180.0);
  return {{camera.position.x, camera.position.y, camera.position.z}, hostsim::rotation_matrix(camera.angles), focal,
          width / 2.0, height / 2.0};
}

std::uint32_t wire_colour(const hostsim::Object& object) {
  constexpr std::uint32_t opaque = 0xFF000000u;
  auto texture = hostsim::storage.images.find(object.texture);
  if (object.texture != 0 && texture != hostsim::storage.images.end() && !texture->second.pixels.empty())
    return texture->second.pixels[0] | opaque;
  return object.colour | opaque;
}

void draw_object(Canvas& canvas, const View& view, const hostsim::Object& object) {
  hostsim::Matrix3 turn = hostsim::rotation_matrix(object.angles);
  auto place = [&](const hostsim::Vec3& v) {
    hostsim::Vec3 turned = hostsim::rotate(turn, v.x * object.scale.x / 100.0, v.y * object.scale.y / 100.0,
                                           v.z * object.scale.z / 100.0);
    return view.to_camera({double(turned.x) + object.position.x, double(turned.y) + object.position.y,
                           double(turned.z) + object.position.z});
  };
  std::uint32_t colour = wire_colour(object);
  for (const auto& [limb, mesh] : object.limbs) {
    const std::vector<hostsim::Vec3>& v = mesh.vertices;
    for (std::size_t i = 0; i + 2 < v.size(); i += 3) {
      Point3 a = place(v[i]), b = place(v[i + 1]), c = place(v[i + 2]);
      view.edge(canvas, a, b, colour);
      view.edge(canvas, b, c, colour);
      view.edge(canvas, c, a, colour);
    }
  }
}

// A terrain grid: vertex (x, z) at (x, height, z) times the tile size.
void draw_matrix(Canvas& canvas, const View& view, hostsim::Matrix& matrix) {
  constexpr std::uint32_t grid_colour = 0xFF40C040u;
  std::size_t vertices = (std::size_t(std::max(matrix.tiles_x, 0)) + 1) * (std::size_t(std::max(matrix.tiles_z, 0)) + 1);
  if (matrix.heights.size() < vertices) return;
  auto vertex = [&](int x, int z) {
    return view.to_camera({x * matrix_tile_size, matrix.height(x, z), z * matrix_tile_size});
  };
  for (int z = 0; z <= matrix.tiles_z; ++z)
    for (int x = 0; x <= matrix.tiles_x; ++x) {
      if (x < matrix.tiles_x) view.edge(canvas, vertex(x, z), vertex(x + 1, z), grid_colour);
      if (z < matrix.tiles_z) view.edge(canvas, vertex(x, z), vertex(x, z + 1), grid_colour);
    }
}

}  // namespace

std::vector<std::uint32_t> render_scene() {
  const hostsim::Screen& screen = hostsim::screen;
  Canvas canvas{screen.width, screen.height, screen.pixels};
  canvas.pixels.resize(std::size_t(screen.width) * std::size_t(screen.height), 0xFF000000u);
  View view = camera_view(screen.width, screen.height);
  for (const auto& [number, object] : hostsim::scene.objects) draw_object(canvas, view, object);
  for (auto& [number, matrix] : hostsim::matrix_state.matrices) draw_matrix(canvas, view, matrix);
  return canvas.pixels;
}

bool write_screenshot(const std::string& path) {
  return hostsim::save_png(path, hostsim::screen.width, hostsim::screen.height, render_scene());
}

}  // namespace runner
