// The screen's renderer: a small software rasteriser over the camera
// projection of view.h.  See render.h for what it draws.
#include "render.h"

#include <algorithm>
#include <cmath>

#include "basic2d_state.h"
#include "basic3d_state.h"
#include "matrix_state.h"
#include "view.h"

namespace hostsim {
namespace {

constexpr int subpixel_bits = 8;  // corners snap to 1/256 pixel
constexpr long long pixel_units = 1LL << subpixel_bits;
constexpr double guard_band = 64;       // pixels round the screen kept before cutting
constexpr int largest_polygon = 3 + 5;  // a triangle cut by five planes

struct Canvas {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::vector<double> nearness;  // 1 / depth of what is drawn there, 0 for nothing

  std::size_t at(long long x, long long y) const { return std::size_t(y) * std::size_t(width) + std::size_t(x); }
};

// What a surface shows before lighting.
struct Surface {
  std::uint32_t colour = 0xFFFFFFFFu;
  const Object* textured = nullptr;  // the object whose texture shows, if any
  double opacity = 1;
};

// A corner in camera space, with its texture point and brightness.
struct Corner {
  Point3 at;
  double u = 0, v = 0, light = 1;
};

// A corner on the screen in fixed point, with what is interpolated
// perspective-correctly divided by its depth.
struct ScreenCorner {
  long long x, y;
  double nearness, u, v, light;
};

int channel(std::uint32_t colour, int shift) { return int((colour >> shift) & 0xFF); }

std::uint32_t rgb(int red, int green, int blue) {
  return opaque | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | std::uint32_t(blue);
}

int scaled(double value) { return std::min(255, int(value + 0.5)); }

// Product of two colours, channel by channel (white leaves a colour as it is).
std::uint32_t tint(std::uint32_t colour, std::uint32_t by) {
  auto times = [&](int shift) { return (channel(colour, shift) * channel(by, shift) + 127) / 255; };
  return rgb(times(16), times(8), times(0));
}

std::uint32_t lit(std::uint32_t colour, double light) {
  return rgb(scaled(channel(colour, 16) * light), scaled(channel(colour, 8) * light),
             scaled(channel(colour, 0) * light));
}

std::uint32_t mixed(std::uint32_t front, std::uint32_t back, double opacity) {
  auto mix = [&](int shift) { return scaled(channel(front, shift) * opacity + channel(back, shift) * (1 - opacity)); };
  return rgb(mix(16), mix(8), mix(0));
}

long long floor_div(long long value, long long by) { return value / by - (value % by < 0 ? 1 : 0); }

// The texel at texture point (u, v), the image repeating beyond 0..1.
std::uint32_t texel(const Object& object, double u, double v) {
  auto index = [](double t, int size) {
    if (!std::isfinite(t)) return 0LL;
    double i = std::floor(t * size);
    double wrapped = i - std::floor(i / size) * size;
    return std::clamp(static_cast<long long>(wrapped), 0LL, size - 1LL);
  };
  long long x = index(u, object.texture_width), y = index(v, object.texture_height);
  return object.texture_pixels[std::size_t(y * object.texture_width + x)];
}

bool has_texture(const Object& object) {
  return object.texture != 0 && object.texture_width > 0 && object.texture_height > 0 &&
         object.texture_pixels.size() >= std::size_t(object.texture_width) * std::size_t(object.texture_height);
}

double ambient_fraction() { return std::clamp(screen.ambient, 0, 100) / 100.0; }

double brightness(double ambient, const Point3& normal, const Point3& towards_light) {
  double facing = normal.x * towards_light.x + normal.y * towards_light.y + normal.z * towards_light.z;
  return ambient + (1 - ambient) * std::max(0.0, facing);
}

Point3 minus(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Point3 unit(const Point3& p) {
  double length = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
  if (!(length > 0) || !std::isfinite(length)) return {};
  return {p.x / length, p.y / length, p.z / length};
}

bool finite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// ---- solid triangles

// A plane of camera space: a·x + b·y + c·z + d >= 0 is kept.
struct Plane {
  double a, b, c, d;
  double distance(const Point3& p) const { return a * p.x + b * p.y + c * p.z + d; }
};

// The near plane and the four sides of the screen widened by the guard band.
std::vector<Plane> cutting_planes(const View& view, int width, int height) {
  double f = view.focal, left = view.centre_x + guard_band, right = width + guard_band - view.centre_x;
  double top = view.centre_y + guard_band, bottom = height + guard_band - view.centre_y;
  return {{0, 0, 1, -near_distance}, {f, 0, left, 0}, {-f, 0, right, 0}, {0, -f, top, 0}, {0, f, bottom, 0}};
}

// Keeps the part of the polygon on the plane's kept side.  A cut point is
// found from the kept corner towards the other, so that two triangles sharing
// an edge are cut at the same point.
int cut(const Corner* in, int count, const Plane& plane, Corner* out) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    const Corner &p = in[i], &q = in[(i + 1) % count];
    double dp = plane.distance(p.at), dq = plane.distance(q.at);
    if (dp >= 0) out[kept++] = p;
    if ((dp >= 0) == (dq >= 0)) continue;
    const Corner &inside = dp >= 0 ? p : q, &outside = dp >= 0 ? q : p;
    double di = dp >= 0 ? dp : dq, dout = dp >= 0 ? dq : dp;
    double t = di / (di - dout);
    auto along = [t](double a, double b) { return a + t * (b - a); };
    out[kept++] = {
        {along(inside.at.x, outside.at.x), along(inside.at.y, outside.at.y), along(inside.at.z, outside.at.z)},
        along(inside.u, outside.u),
        along(inside.v, outside.v),
        along(inside.light, outside.light)};
  }
  return kept;
}

// Twice the signed area of (a, b, p), positive inside a triangle turned the
// way fill_triangle wants it.
long long edge(const ScreenCorner& a, const ScreenCorner& b, long long px, long long py) {
  return (px - a.x) * (b.y - a.y) - (py - a.y) * (b.x - a.x);
}

// A pixel centre exactly on an edge belongs to the triangle that runs the
// edge one way, not to its neighbour that runs it the other way.
bool owns_edge(const ScreenCorner& a, const ScreenCorner& b) {
  long long dx = b.x - a.x, dy = b.y - a.y;
  return dy < 0 || (dy == 0 && dx > 0);
}

// Narrows a row's pixels first..last, counted from its first pixel, to those
// where an edge function, w there and rising by step a pixel, is at least lowest.
void keep_inside(long long w, long long step, long long lowest, long long& first, long long& last) {
  if (step > 0)
    first = std::max(first, floor_div(lowest - w + step - 1, step));
  else if (step < 0)
    last = std::min(last, floor_div(w - lowest, -step));
  else if (w < lowest)
    last = first - 1;
}

void fill_triangle(Canvas& canvas, const Surface& surface, ScreenCorner a, ScreenCorner b, ScreenCorner c) {
  long long area = edge(a, b, c.x, c.y);
  if (area == 0) return;
  if (area < 0) std::swap(b, c), area = -area;
  long long half = pixel_units / 2;
  auto first_pixel = [&](long long low) { return floor_div(low - half + pixel_units - 1, pixel_units); };
  auto last_pixel = [&](long long high) { return floor_div(high - half, pixel_units); };
  long long x0 = std::max(0LL, first_pixel(std::min({a.x, b.x, c.x})));
  long long x1 = std::min(canvas.width - 1LL, last_pixel(std::max({a.x, b.x, c.x})));
  long long y0 = std::max(0LL, first_pixel(std::min({a.y, b.y, c.y})));
  long long y1 = std::min(canvas.height - 1LL, last_pixel(std::max({a.y, b.y, c.y})));
  // A centre is inside where each edge function is positive, or zero on an owned edge.
  long long lowest_a = owns_edge(b, c) ? 0 : 1, lowest_b = owns_edge(c, a) ? 0 : 1, lowest_c = owns_edge(a, b) ? 0 : 1;
  // The edge functions rise by these a pixel to the right.  Corners lie within
  // the guard band of a screen at most 4096 pixels wide, about 2^20 units, so
  // edge function values stay below 2^42: the sums are exact.
  long long step_a = (c.y - b.y) * pixel_units, step_b = (a.y - c.y) * pixel_units, step_c = (b.y - a.y) * pixel_units;
  bool see_through = surface.opacity < 1;
  // Neighbouring pixels mostly light the same colour alike over the same
  // background, so the last pixel's result is kept with what it came from.
  struct {
    std::uint32_t colour = 0, behind = 0;
    double light = std::nan("");  // equal to no light: the first pixel is worked out
    std::uint32_t shown = 0;
  } previous;
  for (long long y = y0; y <= y1; ++y) {
    long long px = x0 * pixel_units + half, py = y * pixel_units + half;
    long long wa = edge(b, c, px, py), wb = edge(c, a, px, py), wc = edge(a, b, px, py);
    long long first = 0, last = x1 - x0;  // a triangle's row is one run of pixels
    keep_inside(wa, step_a, lowest_a, first, last);
    keep_inside(wb, step_b, lowest_b, first, last);
    keep_inside(wc, step_c, lowest_c, first, last);
    if (first > last) continue;
    wa += first * step_a, wb += first * step_b, wc += first * step_c;
    for (long long x = x0 + first; x <= x0 + last; ++x, wa += step_a, wb += step_b, wc += step_c) {
      double la = double(wa) / double(area), lb = double(wb) / double(area), lc = double(wc) / double(area);
      double nearness = la * a.nearness + lb * b.nearness + lc * c.nearness;
      std::size_t at = canvas.at(x, y);
      if (!(nearness > canvas.nearness[at])) continue;
      canvas.nearness[at] = nearness;
      double light = (la * a.light + lb * b.light + lc * c.light) / nearness;
      std::uint32_t colour = surface.colour;
      if (surface.textured) {
        double u = (la * a.u + lb * b.u + lc * c.u) / nearness, v = (la * a.v + lb * b.v + lc * c.v) / nearness;
        colour = tint(texel(*surface.textured, u, v), colour);
      }
      std::uint32_t behind = see_through ? canvas.pixels[at] : 0;
      if (!(colour == previous.colour && light == previous.light && behind == previous.behind)) {
        previous = {colour, behind, light, lit(colour, light)};
        if (see_through) previous.shown = mixed(previous.shown, behind, surface.opacity);
      }
      canvas.pixels[at] = previous.shown;
    }
  }
}

ScreenCorner on_screen(const View& view, const Corner& corner) {
  double nearness = 1 / corner.at.z;
  return {std::llround(view.screen_x(corner.at) * double(pixel_units)),
          std::llround(view.screen_y(corner.at) * double(pixel_units)),
          nearness,
          corner.u * nearness,
          corner.v * nearness,
          corner.light * nearness};
}

struct Rasteriser {
  Canvas& canvas;
  const View& view;
  std::vector<Plane> planes;

  void triangle(const Surface& surface, const Corner& a, const Corner& b, const Corner& c) {
    if (!finite(a.at) || !finite(b.at) || !finite(c.at)) return;
    Corner polygon[largest_polygon] = {a, b, c}, next[largest_polygon];
    int count = 3;
    for (const Plane& plane : planes) {
      for (int i = 0; i < count; ++i)
        if (!std::isfinite(plane.distance(polygon[i].at))) return;
      count = cut(polygon, count, plane, next);
      std::copy(next, next + count, polygon);
    }
    if (count < 3) return;
    ScreenCorner first = on_screen(view, polygon[0]);
    for (int i = 1; i + 1 < count; ++i)
      fill_triangle(canvas, surface, first, on_screen(view, polygon[i]), on_screen(view, polygon[i + 1]));
  }
};

Surface surface_of(const Object& object) {
  Surface surface;
  surface.colour = object.colour | opaque;
  surface.textured = has_texture(object) ? &object : nullptr;
  surface.opacity = object.alpha >= 100 ? 1.0 : object.alpha / 100.0;
  return surface;
}

// Flat lighting from the triangle's normal, turned towards the camera.
double face_light(const Point3& a, const Point3& b, const Point3& c, const Point3& towards_light, double ambient) {
  Point3 u = minus(b, a), v = minus(c, a);
  Point3 normal = unit({u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x});
  if (normal.x * a.x + normal.y * a.y + normal.z * a.z > 0) normal = {-normal.x, -normal.y, -normal.z};
  return brightness(ambient, normal, towards_light);
}

Corner textured_corner(const Point3& at, const Mesh& mesh, std::size_t i, double light) {
  TexturePoint t = i < mesh.texture_points.size() ? mesh.texture_points[i] : TexturePoint{};
  return {at, t.u, t.v, light};
}

void fill_object(Rasteriser& raster, const Object& object, const Point3& towards_light, double ambient) {
  Surface surface = surface_of(object);
  Matrix3 turn = rotation_matrix(object.angles);
  for (const auto& [limb, mesh] : object.limbs) {
    const std::vector<Vec3>& v = mesh.vertices;
    for (std::size_t i = 0; i + 2 < v.size(); i += 3) {
      Point3 a = object_point(raster.view, object, turn, v[i]), b = object_point(raster.view, object, turn, v[i + 1]),
             c = object_point(raster.view, object, turn, v[i + 2]);
      double light = face_light(a, b, c, towards_light, ambient);
      raster.triangle(surface, textured_corner(a, mesh, i, light), textured_corner(b, mesh, i + 1, light),
                      textured_corner(c, mesh, i + 2, light));
    }
  }
}

bool has_grid(const Matrix& matrix) {
  std::size_t vertices =
      (std::size_t(std::max(matrix.tiles_x, 0)) + 1) * (std::size_t(std::max(matrix.tiles_z, 0)) + 1);
  return matrix.heights.size() >= vertices && matrix.normals.size() >= vertices;
}

Point3 grid_point(const View& view, Matrix& matrix, int x, int z) {
  return view.to_camera({x * matrix_tile_size, matrix.height(x, z), z * matrix_tile_size});
}

void fill_matrix(Rasteriser& raster, Matrix& matrix, double ambient) {
  if (!has_grid(matrix)) return;
  Point3 light{light_towards[0], light_towards[1], light_towards[2]};
  auto corner = [&](int x, int z) {
    const Normal& n = matrix.normal(x, z);
    return Corner{grid_point(raster.view, matrix, x, z), 0, 0, brightness(ambient, unit({n.x, n.y, n.z}), light)};
  };
  Surface surface{matrix_colour, nullptr, 1};
  for (int z = 0; z < matrix.tiles_z; ++z)
    for (int x = 0; x < matrix.tiles_x; ++x) {
      Corner a = corner(x, z), b = corner(x + 1, z), c = corner(x + 1, z + 1), d = corner(x, z + 1);
      raster.triangle(surface, a, b, c);
      raster.triangle(surface, a, c, d);
    }
}

void draw_solid(Canvas& canvas, const View& view) {
  canvas.nearness.assign(canvas.pixels.size(), 0.0);
  Rasteriser raster{canvas, view, cutting_planes(view, canvas.width, canvas.height)};
  double ambient = ambient_fraction();
  Point3 towards_light = view.turned_to_camera({light_towards[0], light_towards[1], light_towards[2]});
  std::vector<const Object*> see_through;
  for (const auto& [number, object] : scene.objects) {
    if (!(object.alpha > 0)) continue;
    if (object.alpha < 100)
      see_through.push_back(&object);
    else
      fill_object(raster, object, towards_light, ambient);
  }
  for (auto& [number, matrix] : matrix_state.matrices) fill_matrix(raster, matrix, ambient);
  for (const Object* object : see_through) fill_object(raster, *object, towards_light, ambient);
}

// ---- wireframe

// The camera-space edge a-b, cut at the near distance, projected and drawn
// with the screen's own line stepping.
void draw_edge(Canvas& canvas, const View& view, Point3 a, Point3 b, std::uint32_t colour) {
  if (!finite(a) || !finite(b)) return;
  if (a.z < near_distance && b.z < near_distance) return;
  auto cut_at_near = [](const Point3& front, const Point3& behind) {
    double t = (near_distance - front.z) / (behind.z - front.z);
    return Point3{front.x + t * (behind.x - front.x), front.y + t * (behind.y - front.y), near_distance};
  };
  if (a.z < near_distance) a = cut_at_near(b, a);
  if (b.z < near_distance) b = cut_at_near(a, b);
  Segment line{view.screen_x(a), view.screen_y(a), view.screen_x(b), view.screen_y(b)};
  double t0 = 0, t1 = 1;
  if (!clip_segment(line, canvas.width, canvas.height, t0, t1)) return;
  double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  Segment visible{line.x1 + t0 * dx, line.y1 + t0 * dy, line.x1 + t1 * dx, line.y1 + t1 * dy};
  trace_line(visible, canvas.width, canvas.height, [&](long long x, long long y) {
    if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height) canvas.pixels[canvas.at(x, y)] = colour;
  });
}

std::uint32_t wire_colour(const Object& object) {
  if (object.texture != 0 && !object.texture_pixels.empty()) return object.texture_pixels[0] | opaque;
  return object.colour | opaque;
}

void draw_wireframe(Canvas& canvas, const View& view) {
  for (const auto& [number, object] : scene.objects) {
    Matrix3 turn = rotation_matrix(object.angles);
    std::uint32_t colour = wire_colour(object);
    for (const auto& [limb, mesh] : object.limbs) {
      const std::vector<Vec3>& v = mesh.vertices;
      for (std::size_t i = 0; i + 2 < v.size(); i += 3) {
        Point3 a = object_point(view, object, turn, v[i]), b = object_point(view, object, turn, v[i + 1]),
               c = object_point(view, object, turn, v[i + 2]);
        draw_edge(canvas, view, a, b, colour);
        draw_edge(canvas, view, b, c, colour);
        draw_edge(canvas, view, c, a, colour);
      }
    }
  }
  for (auto& [number, matrix] : matrix_state.matrices) {
    if (!has_grid(matrix)) continue;
    for (int z = 0; z <= matrix.tiles_z; ++z)
      for (int x = 0; x <= matrix.tiles_x; ++x) {
        Point3 here = grid_point(view, matrix, x, z);
        if (x < matrix.tiles_x) draw_edge(canvas, view, here, grid_point(view, matrix, x + 1, z), matrix_colour);
        if (z < matrix.tiles_z) draw_edge(canvas, view, here, grid_point(view, matrix, x, z + 1), matrix_colour);
      }
  }
}

}  // namespace

std::vector<std::uint32_t> render_scene(Look look) {
  Canvas canvas{screen.width, screen.height, screen.pixels, {}};
  canvas.pixels.resize(std::size_t(screen.width) * std::size_t(screen.height), opaque);
  View view = current_view();
  if (look == Look::wireframe)
    draw_wireframe(canvas, view);
  else
    draw_solid(canvas, view);
  return canvas.pixels;
}

}  // namespace hostsim
