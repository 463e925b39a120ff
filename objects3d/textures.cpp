// SINGLE PIXEL IMAGE, COLOR OBJECT WITH TEXTURE.
//
// A one-pixel image is laid out in a scratch memblock (width, height, depth,
// then the pixel) and handed to the host to become an image.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "../plugin/scratch.h"

namespace {

constexpr int header_width = 0, header_height = 4, header_depth = 8, first_pixel = 12;
constexpr int one_pixel_image_bytes = 16;
constexpr K colour_depth = 32;

void make_single_pixel_image(int image, int red, int green, int blue) {
  H.MakeMemblock(scratch::texture_block, one_pixel_image_bytes);
  H.WriteMemblockDWord(scratch::texture_block, header_width, 1);
  H.WriteMemblockDWord(scratch::texture_block, header_height, 1);
  H.WriteMemblockDWord(scratch::texture_block, header_depth, colour_depth);
  K colour = H.Rgb(red, green, blue);
  H.WriteMemblockDWord(scratch::texture_block, first_pixel, colour);
  H.CreateImageFromMemblock(image, scratch::texture_block);
  H.DeleteMemblock(scratch::texture_block);
}

}  // namespace

void singlepixelimage(int image, int red, int green, int blue) {
  host::ensure_bound();
  make_single_pixel_image(image, red, green, blue);
}

void colorobjectwithtexture(int object, int image, int red, int green, int blue) {
  host::ensure_bound();
  make_single_pixel_image(image, red, green, blue);
  H.SetTexture(object, image);
}
