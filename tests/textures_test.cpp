// SINGLE PIXEL IMAGE, COLOR OBJECT WITH TEXTURE.
#include "../hostsim/basic3d_state.h"
#include "../hostsim/memblocks_state.h"
#include "plugin.h"

namespace {

class Textures : public plugin::HostTest {
 protected:
  // The colour written as the pixel, as the log shows it.
  K written_colour() {
    Lines writes = hostsim::log_of("WriteMemblockDWord");
    EXPECT_EQ(writes.size(), 4u);
    Lines last = plugin::parse_log_line(writes.back()).arguments;
    EXPECT_EQ(Lines(last.begin(), last.begin() + 2), (Lines{"1", "12"}));
    return static_cast<K>(std::stoul(last.at(2), nullptr, 16));
  }
  void expect_one_pixel_image(int number, K colour) {
    ASSERT_EQ(hostsim::storage.images.count(number), 1u);
    const hostsim::Image& image = hostsim::storage.images.at(number);
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.depth, 32);
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{colour}));
  }
};

}  // namespace

TEST_F(Textures, SinglePixelImageThroughMemblockOne) {
  hostsim::storage.memblocks[1] = std::vector<std::uint8_t>(100);  // the program's: replaced, then gone
  cmd::singlepixelimage(5, 255, 0, 0);
  K colour = written_colour();
  Lines log = hostsim::log();
  ASSERT_EQ(log.size(), 8u);
  log[5] = "pixel";
  EXPECT_EQ(log, (Lines{"Memblocks.MakeMemblock(1,16)", "Memblocks.WriteMemblockDWord(1,0,0x1)",
                        "Memblocks.WriteMemblockDWord(1,4,0x1)", "Memblocks.WriteMemblockDWord(1,8,0x20)",
                        "Basic2D.Rgb(255,0,0)", "pixel", "Memblocks.CreateImageFromMemblock(5,1)",
                        "Memblocks.DeleteMemblock(1)"}));
  expect_one_pixel_image(5, colour);
  EXPECT_TRUE(hostsim::storage.memblocks.empty());
  EXPECT_EQ(hostsim::storage.refused, 0);
}

TEST_F(Textures, ColourObjectWithTextureSetsTheImageOnTheObject) {
  cmd::createobjectpyramid(3, 4, 4, 0);
  hostsim::clear_log();
  cmd::colorobjectwithtexture(3, 7, 0, 255, 0);
  K colour = written_colour();
  EXPECT_EQ(hostsim::log_of("Rgb"), (Lines{"Basic2D.Rgb(0,255,0)"}));
  EXPECT_EQ(hostsim::log().back(), "Basic3D.SetTexture(3,7)");
  EXPECT_EQ(hostsim::log()[hostsim::log().size() - 2], "Memblocks.DeleteMemblock(1)");
  EXPECT_EQ(hostsim::scene.objects.at(3).texture, 7);
  expect_one_pixel_image(7, colour);  // and it stays for other uses
  EXPECT_TRUE(hostsim::storage.memblocks.empty());
}

TEST_F(Textures, ArgumentsPassUncheckedAndMissingObjectsDoNoHarm) {
  hostsim::storage.images[7] = {};
  cmd::colorobjectwithtexture(42, 7, 300, -1, 256);
  EXPECT_EQ(hostsim::log_of("Rgb"), (Lines{"Basic2D.Rgb(300,-1,256)"}));
  EXPECT_EQ(hostsim::log().back(), "Basic3D.SetTexture(42,7)");
  EXPECT_TRUE(hostsim::scene.objects.empty());
  expect_one_pixel_image(7, written_colour());  // an image in use is replaced
  hostsim::clear_log();
  cmd::singlepixelimage(-3, 1, 2, 3);
  expect_one_pixel_image(-3, written_colour());
}
