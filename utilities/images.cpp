// LOCK IMAGE, UNLOCK IMAGE, WRITE IMAGE, MAKE NORMAL MAP.
//
// MAKE NORMAL MAP reads an image as a height field (the blue byte of each
// pixel) and builds an image whose pixels hold the surface normal, working on
// the pixels through two host memblocks in the memblock image layout: width,
// height and depth at bytes 0, 4 and 8, then 4-byte pixels (blue, green, red,
// alpha) row after row.  The picture wraps around at all four edges.
#include <array>
#include <cmath>

#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "../plugin/scratch.h"

namespace {

constexpr int header_bytes = 12;
constexpr int pixel_bytes = 4;
constexpr double gradient_scale = 0.01;
constexpr float normal_z = 2;  // the normal's z before scaling to length 1
constexpr float byte_half = 127.5f;
constexpr int byte_max = 255;

// The picture being mapped: its width and height from the header of the
// source block.
struct Picture {
  int width, height;
};

// Whether a width x height picture fits a block of `size` bytes.
bool picture_fits(Picture picture, int size) {
  if (picture.width <= 0 || picture.height <= 0 || size < header_bytes) return false;
  int pixels = (size - header_bytes) / pixel_bytes;
  return picture.width <= pixels && picture.height <= pixels / picture.width;
}

// A gradient, the difference of two heights: scaled (stored as a float), its
// square (the float product, kept in a double for the sum it goes into), and
// max(2, |scaled|), the least length that keeps every component of the
// normal (dx, dy, 2) within -1..1 when it divides them (the true length,
// sqrt(dx² + 4 + dy²), is never less).
// Heights are bytes, so a gradient is one of 511 values, worked out once, on
// the first map made (a table built at compile time would be 8 KB of the
// library file, and loading the library runs nothing of its own); a host
// that yields other values gets them worked out on the spot.
struct Gradient {
  float scaled, unit_length;
  double squared;
};

Gradient make_gradient(int difference) {
  float scaled = static_cast<float>(difference * gradient_scale);
  float magnitude = scaled < 0 ? -scaled : scaled;
  return {scaled, magnitude > normal_z ? magnitude : normal_z, scaled * scaled};
}

std::array<Gradient, 2 * byte_max + 1> byte_gradients;
bool byte_gradients_filled;

void fill_byte_gradients() {
  for (int g = -byte_max; g <= byte_max; ++g) byte_gradients[g + byte_max] = make_gradient(g);
  byte_gradients_filled = true;
}

Gradient gradient(int first, int second) {
  int difference = wrap_sub(first, second);
  unsigned index = static_cast<unsigned>(difference) + byte_max;
  return index < byte_gradients.size() ? byte_gradients[index] : make_gradient(difference);
}

// A normal component as a byte: c·127.5 + 127.5, truncated toward zero and
// held to 0..255.  A component within -1..1 (to a rounding) gives a value
// within -1..256, whose truncation needs no holding; any other (from a host
// whose square root went wrong: infinite, NaN) is held in float first, NaN
// giving 0.
int unit_byte(float component) { return static_cast<int>(component * byte_half + byte_half); }

int component_byte(float component) {
  float value = component * byte_half + byte_half;
  value = value > 0 ? value : 0.0f;
  value = value < byte_max ? value : static_cast<float>(byte_max);
  return static_cast<int>(value);
}

int height_at(int offset) { return H.ReadMemblockByte(scratch::normal_map_source, offset); }

// The normal (dx, dy, 2) scaled to length 1, written as the pixel at byte
// `at` of the result: red, green, blue, then an opaque alpha.  (Inline, as
// the other per-pixel routine: the pixel's work is the command's.)
inline void write_normal(int at, Gradient dx, Gradient dy) {
  float unit_length = dx.unit_length > dy.unit_length ? dx.unit_length : dy.unit_length;
  double z_squared = static_cast<double>(normal_z) * normal_z;
  float length = as_float(H.SqrtFF(f32(dx.squared + z_squared + dy.squared)));
  float inverse = 1.0f / length;  // rounded once: what the double quotient stored as a float gives
  float nx = dx.scaled * inverse, ny = dy.scaled * inverse, nz = inverse + inverse;
  bool unit = length >= unit_length;
  int red = unit ? unit_byte(nx) : component_byte(nx);
  int green = unit ? unit_byte(ny) : component_byte(ny);
  int blue = unit ? unit_byte(nz) : component_byte(nz);
  H.WriteMemblockByte(scratch::normal_map_result, at + 2, red);  // red, green, blue, alpha: not byte order
  H.WriteMemblockByte(scratch::normal_map_result, at + 1, green);
  H.WriteMemblockByte(scratch::normal_map_result, at + 0, blue);
  H.WriteMemblockByte(scratch::normal_map_result, at + 3, byte_max);  // opaque
}

// The pixel at byte `at`, from the heights of its neighbours at the given
// bytes.  Sense 1 (`falls`) takes each gradient as the fall towards the next
// pixel (left minus right, previous row minus next), sampled in that order;
// any other sense as the rise, sampled right, left, next row, previous row.
template <bool falls>
inline void make_pixel(int at, int left, int right, int previous, int next) {
  int a = height_at(falls ? left : right);
  int b = height_at(falls ? right : left);
  int c = height_at(falls ? previous : next);
  int d = height_at(falls ? next : previous);
  write_normal(at, gradient(a, b), gradient(c, d));
}

// A pixel of an edge column (or of a one-column picture), out of line: two
// pixels a row share one copy of the pixel's code, and the row's inner
// pixels keep theirs inline.
template <bool falls>
[[gnu::noinline]] void make_edge_pixel(int at, int left, int right, int previous, int next) {
  make_pixel<falls>(at, left, right, previous, next);
}

// Row by row, the picture wrapping around at its edges: the first and last
// columns take their outer neighbour from the other end of the row.
template <bool falls>
void make_normals(Picture picture) {
  int row_bytes = pixel_bytes * picture.width;
  int last = row_bytes - pixel_bytes;  // the last column's offset in its row
  int wrap_rows = (picture.height - 1) * row_bytes;
  for (int y = 0; y < picture.height; ++y) {
    int row = header_bytes + y * row_bytes, end = row + last;
    int previous = y == 0 ? wrap_rows : -row_bytes;  // byte distances to the rows around
    int next = y == picture.height - 1 ? -wrap_rows : row_bytes;
    if (last == 0) {  // one column: its own neighbour on both sides
      make_edge_pixel<falls>(row, row, row, row + previous, row + next);
      continue;
    }
    make_edge_pixel<falls>(row, end, row + pixel_bytes, row + previous, row + next);
    for (int at = row + pixel_bytes; at < end; at += pixel_bytes)
      make_pixel<falls>(at, at - pixel_bytes, at + pixel_bytes, at + previous, at + next);
    make_edge_pixel<falls>(end, end - pixel_bytes, row, end + previous, end + next);
  }
}

}  // namespace

EC_PLAIN_HOST_CALL void lockimage(int image) {
  host::ensure_bound();
  H.ImageLock(image);
}

EC_PLAIN_HOST_CALL void unlockimage(int image) {
  host::ensure_bound();
  H.ImageUnlock(image);
}

EC_PLAIN_HOST_CALL void writeimage(int a, int b, int c, int d, int e, int f, int g) {
  host::ensure_bound();
  H.ImageWrite(a, b, c, d, e, f, g);
}

// A header whose picture does not fit the block (or is empty) makes no
// pixels; the result image is made and the scratch blocks deleted regardless.
void makenormalmap(int source, int result, int sense) {
  host::ensure_bound();
  H.CreateMemblockFromImage(scratch::normal_map_source, source);
  int size = H.GetMemblockSize(scratch::normal_map_source);
  H.MakeMemblock(scratch::normal_map_result, size);
  Picture picture;
  picture.width = static_cast<int>(H.ReadMemblockDWord(scratch::normal_map_source, 0));
  picture.height = static_cast<int>(H.ReadMemblockDWord(scratch::normal_map_source, 4));
  H.ReadMemblockDWord(scratch::normal_map_source, 8);  // the depth: pixels are 4 bytes whatever it says
  H.CopyMemblock(scratch::normal_map_source, scratch::normal_map_result, 0, 0, header_bytes);
  if (picture_fits(picture, size)) {
    if (!byte_gradients_filled) fill_byte_gradients();
    if (sense == 1)
      make_normals<true>(picture);
    else
      make_normals<false>(picture);
  }
  H.CreateImageFromMemblock(result, scratch::normal_map_result);
  H.DeleteMemblock(scratch::normal_map_source);
  H.DeleteMemblock(scratch::normal_map_result);
}
