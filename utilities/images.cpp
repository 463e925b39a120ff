// LOCK IMAGE, UNLOCK IMAGE, WRITE IMAGE, MAKE NORMAL MAP.
//
// MAKE NORMAL MAP reads an image as a height field (the blue byte of each
// pixel) and builds an image whose pixels hold the surface normal, working on
// the pixels through two host memblocks in the memblock image layout: width,
// height and depth at bytes 0, 4 and 8, then 4-byte pixels (blue, green, red,
// alpha) row after row.  The picture wraps around at all four edges.
#include "../plugin/commands.h"
#include "../plugin/host.h"

namespace {

constexpr int source_block = 1;
constexpr int result_block = 2;
constexpr int header_bytes = 12;
constexpr int pixel_bytes = 4;
constexpr double gradient_scale = 0.01;
constexpr double flat_height = 4.0;  // the normal's z before scaling is 2
constexpr float byte_half = 127.5f;
constexpr int opaque = 255;

// Working values of the normal map, set at the start of every call.
int map_width;
int map_height;
int map_step;

int pixel_offset(int x, int y) { return header_bytes + pixel_bytes * (y * map_width + x); }

// Whether a width x height picture fits a block of `size` bytes.
bool picture_fits(int width, int height, int size) {
  if (width <= 0 || height <= 0 || size < header_bytes) return false;
  int pixels = (size - header_bytes) / pixel_bytes;
  return width <= pixels && height <= pixels / width;
}

// The height at (i, j), wrapped around the edges.
int height_at(int i, int j) {
  if (i > map_width - 1) i = 0;
  if (j > map_height - 1) j = 0;
  if (i < 0) i = map_width - 1;
  if (j < 0) j = map_height - 1;
  return H.ReadMemblockByte(source_block, pixel_offset(i, j));
}

// A unit normal component (-1..1) as a byte.
int component_byte(float component) {
  int value = trunc_int(component * byte_half + byte_half);
  if (value > 255) value = 255;
  if (value < 0) value = 0;
  return value;
}

void write_normal_pixel(float nx, float ny, float nz, int x, int y) {
  host::ensure_bound();
  int at = pixel_offset(x, y);
  H.WriteMemblockByte(result_block, at + 2, component_byte(nx));
  H.WriteMemblockByte(result_block, at + 1, component_byte(ny));
  H.WriteMemblockByte(result_block, at + 0, component_byte(nz));
  H.WriteMemblockByte(result_block, at + 3, opaque);
}

// The normal of pixel (x, y): the gradient (dx, dy) against a rise of 2,
// scaled to length 1.  Sense 1 takes each gradient as the fall towards the
// next pixel; any other sense as the rise.
void make_normal_pixel(int x, int y, int sense) {
  int gx, gy;
  if (sense == 1) {
    int left = height_at(x - map_step, y), right = height_at(x + map_step, y);
    int previous = height_at(x, y - map_step), next = height_at(x, y + map_step);
    gx = left - right;
    gy = previous - next;
  } else {
    int right = height_at(x + map_step, y), left = height_at(x - map_step, y);
    int next = height_at(x, y + map_step), previous = height_at(x, y - map_step);
    gx = right - left;
    gy = next - previous;
  }
  float dx = f32(gx * gradient_scale);
  float dy = f32(gy * gradient_scale);
  float length = as_float(H.SqrtFF(f32(square(dx) + flat_height + square(dy))));
  float inverse = f32(1.0 / length);
  write_normal_pixel(dx * inverse, dy * inverse, inverse + inverse, x, y);
}

}  // namespace

void lockimage(int image) {
  host::ensure_bound();
  H.ImageLock(image);
}

void unlockimage(int image) {
  host::ensure_bound();
  H.ImageUnlock(image);
}

void writeimage(int a, int b, int c, int d, int e, int f, int g) {
  host::ensure_bound();
  H.ImageWrite(a, b, c, d, e, f, g);
}

// A header whose picture does not fit the block (or is empty) makes no
// pixels; the result image is made and the scratch blocks deleted regardless.
void makenormalmap(int source, int result, int sense) {
  host::ensure_bound();
  H.CreateMemblockFromImage(source_block, source);
  int size = H.GetMemblockSize(source_block);
  H.MakeMemblock(result_block, size);
  map_step = 1;
  map_width = static_cast<int>(H.ReadMemblockDWord(source_block, 0));
  map_height = static_cast<int>(H.ReadMemblockDWord(source_block, 4));
  H.ReadMemblockDWord(source_block, 8);  // the depth: pixels are 4 bytes whatever it says
  H.CopyMemblock(source_block, result_block, 0, 0, header_bytes);
  if (picture_fits(map_width, map_height, size)) {
    for (int y = 0; y < map_height; ++y)
      for (int x = 0; x < map_width; ++x) make_normal_pixel(x, y, sense);
  }
  H.CreateImageFromMemblock(result, result_block);
  H.DeleteMemblock(source_block);
  H.DeleteMemblock(result_block);
}
