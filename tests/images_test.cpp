// LOCK IMAGE, UNLOCK IMAGE, WRITE IMAGE, MAKE NORMAL MAP.
#include <climits>
#include <cmath>

#include "../hostsim/memblocks_state.h"
#include "plugin.h"

namespace {

constexpr int source = 5;
constexpr int result = 6;

struct Rgba {
  int red, green, blue, alpha;
  bool operator==(const Rgba&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << '(' << c.red << ',' << c.green << ',' << c.blue << ',' << c.alpha << ')';
}

class NormalMap : public plugin::HostTest {
 protected:
  // A source image whose blue bytes are the heights, row after row.
  void heights(int width, int height, const std::vector<int>& blue, std::uint32_t others = 0xFF000000u) {
    hostsim::Image image;
    image.width = width, image.height = height;
    for (int b : blue) image.pixels.push_back(others | static_cast<std::uint32_t>(b));
    hostsim::storage.images[source] = image;
  }
  const hostsim::Image& made() { return hostsim::storage.images.at(result); }
  Rgba pixel(int x, int y) {
    std::uint32_t p = made().pixels.at(static_cast<std::size_t>(y * made().width + x));
    return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255), int(p >> 24)};
  }
  Lines byte_reads() { return hostsim::log_of("ReadMemblockByte"); }
  // The result pixel (x, y) of a map made with sense 1 from these heights.
  Rgba normal_at(int width, int height, const std::vector<int>& blue, int x, int y) {
    heights(width, height, blue);
    cmd::makenormalmap(source, result, 1);
    return pixel(x, y);
  }
};

const Rgba flat{127, 127, 255, 255};

TEST_F(NormalMap, AFlatImageGivesStraightUpNormals) {
  heights(4, 3, std::vector<int>(12, 77));
  hostsim::storage.images[source].depth = 24;
  cmd::makenormalmap(source, result, 1);
  ASSERT_EQ(made().width, 4);
  ASSERT_EQ(made().height, 3);
  EXPECT_EQ(made().depth, 24);  // the header is copied as it is
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixel(x, y), flat) << x << ',' << y;
  EXPECT_TRUE(hostsim::storage.memblocks.empty());
  EXPECT_EQ(hostsim::storage.refused, 0);
}

TEST_F(NormalMap, CallSequenceOfAOnePixelImage) {
  heights(1, 1, {200});
  cmd::makenormalmap(source, result, 1);
  EXPECT_EQ(
      hostsim::log(),
      (Lines{"Memblocks.CreateMemblockFromImage(1,5)", "Memblocks.GetMemblockSize(1)", "Memblocks.MakeMemblock(2,16)",
             "Memblocks.ReadMemblockDWord(1,0)", "Memblocks.ReadMemblockDWord(1,4)", "Memblocks.ReadMemblockDWord(1,8)",
             "Memblocks.CopyMemblock(1,2,0,0,12)", "Memblocks.ReadMemblockByte(1,12)",
             "Memblocks.ReadMemblockByte(1,12)", "Memblocks.ReadMemblockByte(1,12)", "Memblocks.ReadMemblockByte(1,12)",
             "Core.SqrtFF(4)", "Memblocks.WriteMemblockByte(2,14,127)", "Memblocks.WriteMemblockByte(2,13,127)",
             "Memblocks.WriteMemblockByte(2,12,255)", "Memblocks.WriteMemblockByte(2,15,255)",
             "Memblocks.CreateImageFromMemblock(6,2)", "Memblocks.DeleteMemblock(1)", "Memblocks.DeleteMemblock(2)"}));
  EXPECT_EQ(pixel(0, 0), flat);
}

TEST_F(NormalMap, HorizontalGradientInBothSenses) {
  // At column 1: left 255, right 0.
  EXPECT_EQ(normal_at(3, 1, {255, 9, 0}, 1, 0), (Rgba{227, 127, 206, 255}));
  for (int sense : {0, -7, 2}) {  // any sense but 1 is the rising one
    cmd::makenormalmap(source, result, sense);
    EXPECT_EQ(pixel(1, 0), (Rgba{27, 127, 206, 255})) << sense;
  }
}

TEST_F(NormalMap, VerticalAndMixedGradients) {
  // At row 1: previous row 255, next row 0.
  EXPECT_EQ(normal_at(1, 3, {255, 9, 0}, 0, 1), (Rgba{127, 227, 206, 255}));
  // At (1, 1): gx = 100, gy = -50.
  EXPECT_EQ(normal_at(3, 3, {0, 0, 0, 100, 9, 0, 0, 50, 0}, 1, 1), (Rgba{183, 99, 238, 255}));
}

TEST_F(NormalMap, SamplesInTheOrderOfTheSense) {
  heights(3, 3, std::vector<int>(9, 0));
  cmd::makenormalmap(source, result, 1);
  // Pixel (1, 1) is the fifth: left, right, previous row, next row.
  Lines reads = byte_reads();
  EXPECT_EQ(Lines(reads.begin() + 16, reads.begin() + 20),
            (Lines{"Memblocks.ReadMemblockByte(1,24)", "Memblocks.ReadMemblockByte(1,32)",
                   "Memblocks.ReadMemblockByte(1,16)", "Memblocks.ReadMemblockByte(1,40)"}));
  hostsim::clear_log();
  cmd::makenormalmap(source, result, 0);
  reads = byte_reads();
  EXPECT_EQ(Lines(reads.begin() + 16, reads.begin() + 20),
            (Lines{"Memblocks.ReadMemblockByte(1,32)", "Memblocks.ReadMemblockByte(1,24)",
                   "Memblocks.ReadMemblockByte(1,40)", "Memblocks.ReadMemblockByte(1,16)"}));
}

TEST_F(NormalMap, WrapsAroundAtEveryEdge) {
  heights(3, 2, std::vector<int>(6, 0));
  cmd::makenormalmap(source, result, 1);
  Lines reads = byte_reads();
  ASSERT_EQ(reads.size(), 24u);
  // (0, 0): left is column 2, the previous row is row 1.
  EXPECT_EQ(Lines(reads.begin(), reads.begin() + 4),
            (Lines{"Memblocks.ReadMemblockByte(1,20)", "Memblocks.ReadMemblockByte(1,16)",
                   "Memblocks.ReadMemblockByte(1,24)", "Memblocks.ReadMemblockByte(1,24)"}));
  // (2, 1): right is column 0, the next row is row 0.
  EXPECT_EQ(Lines(reads.end() - 4, reads.end()),
            (Lines{"Memblocks.ReadMemblockByte(1,28)", "Memblocks.ReadMemblockByte(1,24)",
                   "Memblocks.ReadMemblockByte(1,20)", "Memblocks.ReadMemblockByte(1,20)"}));
  // The same by value: a high last column lies left of column 0, a high first
  // column right of the last, a high last row above row 0, a high first row
  // below the last row.
  EXPECT_EQ(normal_at(3, 1, {0, 0, 255}, 0, 0), (Rgba{227, 127, 206, 255}));
  EXPECT_EQ(normal_at(3, 1, {255, 0, 0}, 2, 0), (Rgba{27, 127, 206, 255}));
  EXPECT_EQ(normal_at(1, 3, {0, 0, 255}, 0, 0), (Rgba{127, 227, 206, 255}));
  EXPECT_EQ(normal_at(1, 3, {255, 0, 0}, 0, 2), (Rgba{127, 27, 206, 255}));
}

TEST_F(NormalMap, OnlyTheBlueByteIsAHeight) {
  std::vector<int> blue{10, 200, 30, 90, 0, 255};
  heights(3, 2, blue, 0xFF000000u);
  cmd::makenormalmap(source, result, 1);
  std::vector<std::uint32_t> plain = made().pixels;
  heights(3, 2, blue, 0x12345600u);
  hostsim::storage.images[source].pixels[4] |= 0xABCDEF00u;
  cmd::makenormalmap(source, result, 1);
  EXPECT_EQ(made().pixels, plain);
}

// Every gradient that two bytes can make, -255..255 down the columns and a
// spread of them along the rows, against the formula step by step: the sum
// handed to the host's square root (exact in the log) and the bytes made
// from the stand-in host's root.
TEST_F(NormalMap, EveryGradientOfTwoBytesIsExact) {
  constexpr int width = 511, height = 3;
  std::vector<int> blue(width * height);
  for (int x = 0; x < width; ++x) {
    int d = x - 255;  // row 0 minus row 2
    blue[x] = d > 0 ? d : 0;
    blue[width + x] = x * 37 % 256;
    blue[2 * width + x] = d < 0 ? -d : 0;
  }
  heights(width, height, blue);
  cmd::makenormalmap(source, result, 1);
  auto h = [&](int x, int y) { return blue[((y + height) % height) * width + (x + width) % width]; };
  auto byte = [](float c) {
    int value = static_cast<int>(c * 127.5f + 127.5f);
    return value > 255 ? 255 : value < 0 ? 0 : value;
  };
  Lines roots = hostsim::log_of("SqrtFF");
  ASSERT_EQ(roots.size(), std::size_t(width * height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float dx = static_cast<float>((h(x - 1, y) - h(x + 1, y)) * 0.01);
      float dy = static_cast<float>((h(x, y - 1) - h(x, y + 1)) * 0.01);
      float sum = static_cast<float>(static_cast<float>(dx * dx) + 4.0 + static_cast<float>(dy * dy));
      ASSERT_EQ(roots[y * width + x], "Core.SqrtFF(" + hostsim::format_float(sum) + ")") << x << ',' << y;
      float inverse = static_cast<float>(1.0 / static_cast<float>(std::sqrt(sum)));
      Rgba expected{byte(dx * inverse), byte(dy * inverse), byte(inverse + inverse), 255};
      ASSERT_EQ(pixel(x, y), expected) << x << ',' << y;
    }
}

// Headers that do not describe a picture inside the memblock make no pixels:
// nothing is read or written outside the blocks, the result image is still
// made and both scratch blocks are deleted.
TEST_F(NormalMap, AHeaderThatDoesNotFitMakesNoPixels) {
  const std::pair<int, int> headers[] = {
      {1000, 1000},       {3, 2},       {0, 5},  {5, 0}, {-3, 2}, {2, -1}, {INT_MIN, 1}, {65536, 65536},
      {INT_MAX, INT_MAX}, {1, INT_MAX}, {-1, -1}};
  for (auto [width, height] : headers) {
    hostsim::reset();
    ASSERT_TRUE(hostsim::load_modules());
    heights(width, height, {1, 2, 3, 4});  // four pixels only
    cmd::makenormalmap(source, result, 1);
    EXPECT_TRUE(byte_reads().empty()) << width << 'x' << height;
    EXPECT_TRUE(hostsim::log_of("WriteMemblockByte").empty());
    EXPECT_EQ(hostsim::storage.refused, 0);
    EXPECT_EQ(hostsim::log_of("CreateImageFromMemblock"), Lines{"Memblocks.CreateImageFromMemblock(6,2)"});
    EXPECT_TRUE(hostsim::storage.images.count(result));
    EXPECT_TRUE(hostsim::storage.memblocks.empty());
  }
}

TEST_F(NormalMap, APictureFillingTheBlockExactlyIsMade) {
  heights(2, 2, {1, 2, 3, 4});
  cmd::makenormalmap(source, result, 1);
  EXPECT_EQ(byte_reads().size(), 16u);
  EXPECT_EQ(made().width, 2);
  EXPECT_EQ(hostsim::storage.refused, 0);
}

class ImageAccess : public plugin::HostTest {};

TEST_F(ImageAccess, PassesStraightThrough) {
  hostsim::Image image;
  image.width = 2, image.height = 2, image.pixels.assign(4, 0);
  hostsim::storage.images[3] = image;
  cmd::lockimage(3);
  cmd::writeimage(3, 1, 0, 0x11, 0x22, 0x33, 0x44);
  cmd::unlockimage(3);
  cmd::writeimage(3, 0, 0, 1, 2, 3, 4);  // not locked: the host ignores it
  EXPECT_EQ(hostsim::log(), (Lines{"Image.Lock(3)", "Image.Write(3,1,0,17,34,51,68)", "Image.Unlock(3)",
                                   "Image.Write(3,0,0,1,2,3,4)"}));
  EXPECT_EQ(hostsim::storage.images[3].pixels, (std::vector<std::uint32_t>{0, 0x44112233u, 0, 0}));
  EXPECT_FALSE(hostsim::storage.images[3].locked);
  cmd::writeimage(-1, INT_MIN, INT_MAX, 0, 0, 0, 0);
  EXPECT_EQ(hostsim::log().back(), "Image.Write(-1,-2147483648,2147483647,0,0,0,0)");
}

}  // namespace
