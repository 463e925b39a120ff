// A normal map made from a real picture, written beside the test program as
// PNG files (temp/normal_map_source.png and temp/normal_map.png) for a person
// to look at.
#include <cmath>
#include <filesystem>

#include "../hostsim/memblocks_state.h"
#include "../hostsim/png_io.h"
#include "../plugin/host.h"
#include "plugin.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* picture = "/usr/share/icons/Adwaita/512x512/devices/input-keyboard.png";

int channel(std::uint32_t colour, int shift) { return static_cast<int>(colour >> shift & 255); }

// The picture at half its size, each pixel the mean of a 2 x 2 block (keeps
// the test quick: the stand-in host logs every call).
hostsim::Image halved(const hostsim::Image& full) {
  hostsim::Image half;
  half.width = full.width / 2, half.height = full.height / 2;
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x) {
      std::uint32_t mean = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        int sum = 0;
        for (int k = 0; k < 4; ++k)
          sum += channel(full.pixels[static_cast<std::size_t>((2 * y + k / 2) * full.width + 2 * x + k % 2)], shift);
        mean |= static_cast<std::uint32_t>(sum / 4) << shift;
      }
      half.pixels.push_back(mean);
    }
  return half;
}

// A byte back to its normal component, -1..1.
double component(int byte) { return (byte - 127.5) / 127.5; }

class NormalMapPicture : public plugin::HostTest {};

TEST_F(NormalMapPicture, IsMadeFromThePicturesBlueBytes) {
  hostsim::Image full;
  if (!hostsim::load_png(picture, full.width, full.height, full.pixels)) GTEST_SKIP() << "no picture at " << picture;
  hostsim::Image source = halved(full);
  hostsim::storage.images[1] = source;
  cmd::makenormalmap(1, 2, 1);

  const hostsim::Image& map = hostsim::storage.images.at(2);
  ASSERT_EQ(map.width, source.width);
  ASSERT_EQ(map.height, source.height);
  fs::path dir = fs::canonical("/proc/self/exe").parent_path() / "temp";
  fs::create_directories(dir);
  EXPECT_TRUE(hostsim::save_png((dir / "normal_map_source.png").string(), source.width, source.height, source.pixels));
  EXPECT_TRUE(hostsim::save_png((dir / "normal_map.png").string(), map.width, map.height, map.pixels));

  auto height = [&](int x, int y) {
    x = (x + source.width) % source.width, y = (y + source.height) % source.height;
    return channel(source.pixels[static_cast<std::size_t>(y * source.width + x)], 0);
  };
  int flat = 0, sloped = 0;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      std::uint32_t normal = map.pixels[static_cast<std::size_t>(y * map.width + x)];
      ASSERT_EQ(channel(normal, 24), 255);
      double nx = component(channel(normal, 16)), ny = component(channel(normal, 8)),
             nz = component(channel(normal, 0));
      ASSERT_NEAR(nx * nx + ny * ny + nz * nz, 1.0, 0.03) << x << ',' << y;
      ASSERT_GT(nz, 0.0);  // always facing out of the picture
      bool level = height(x - 1, y) == height(x + 1, y) && height(x, y - 1) == height(x, y + 1);
      if (level) {
        ASSERT_EQ(normal, 0xFF7F7FFFu) << x << ',' << y;
        ++flat;
      } else {
        ++sloped;
      }
    }
  }
  EXPECT_GT(flat, 0);
  EXPECT_GT(sloped, 0);
  EXPECT_EQ(hostsim::storage.refused, 0);
}

// A host without a square root (its stand-in yields 0) makes every length 0
// and every component infinite or, for a gradient of 0, not a number: the
// bytes are held to 255 and 0, a NaN giving 0.
TEST(NormalMapWithoutSquareRoot, HoldsTheBytes) {
  hostsim::reset();
  ASSERT_TRUE(hostsim::load_modules({{}, {"?SqrtFF@@YAKM@Z"}}));
  host::bound = false;  // bind against these modules
  hostsim::Image image;
  image.width = 3, image.height = 1;
  image.pixels = {0xFF0000FFu, 0xFF000009u, 0xFF000000u};  // heights 255, 9, 0
  hostsim::storage.images[1] = image;
  cmd::makenormalmap(1, 2, 1);
  const hostsim::Image& map = hostsim::storage.images.at(2);
  // gx = -9, 255, -246: red -inf, +inf, -inf; gy = 0: green NaN; blue +inf.
  EXPECT_EQ(map.pixels, (std::vector<std::uint32_t>{0xFF0000FFu, 0xFFFF00FFu, 0xFF0000FFu}));
  hostsim::load_modules();
  host::bound = false;
}

}  // namespace
