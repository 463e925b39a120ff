// The stand-in host's screen renderer, to the exact pixel: hiding, lighting,
// texturing and see-through surfaces.
#include "../hostsim/render.h"

#include <gtest/gtest.h>

#include "../hostsim/basic2d_state.h"
#include "../hostsim/basic3d_state.h"
#include "../hostsim/hostsim.h"
#include "../hostsim/matrix_state.h"

namespace {

constexpr int side = 100;

struct Render : testing::Test {
  void SetUp() override {
    hostsim::reset();
    hostsim::set_screen_size(side, side);
  }

  // A square facing the camera (its normal straight back at it), `half` on
  // each side of the view axis, `depth` ahead; its texture's top-left corner
  // at its top left.
  hostsim::Object& square(int number, float depth, float half, std::uint32_t colour) {
    hostsim::Vec3 a{-half, -half, 0}, b{-half, half, 0}, c{half, half, 0}, d{half, -half, 0};
    hostsim::Mesh mesh{{a, b, c, a, c, d}, {{0, 1}, {0, 0}, {1, 0}, {0, 1}, {1, 0}, {1, 1}}};
    hostsim::Object& object = hostsim::make_object(number, "plane", mesh);
    object.position = {0, 0, depth};
    object.colour = colour;
    return object;
  }

  std::uint32_t centre() { return hostsim::render_scene()[std::size_t(side / 2) * side + side / 2]; }
};

// Facing the camera, the surface turns 2/3 towards the light: brightness
// a + (1 − a)·2/3, each channel rounded to the nearest.
TEST_F(Render, LightsAFaceByTheAmbientLevelAndTheLight) {
  square(1, 10, 2, 0xFF806040u);  // (128, 96, 64)
  hostsim::screen.ambient = 25;   // 0.75: (96, 72, 48)
  EXPECT_EQ(centre(), 0xFF604830u);
  hostsim::screen.ambient = 0;  // 2/3: (85.3, 64, 42.7)
  EXPECT_EQ(centre(), 0xFF55402Bu);
  hostsim::screen.ambient = 100;
  EXPECT_EQ(centre(), 0xFF806040u);
}

TEST_F(Render, NearerSurfacesHideFartherOnesWhateverTheOrder) {
  hostsim::screen.ambient = 100;
  square(1, 5, 1, 0xFFFF0000u);
  square(2, 10, 4, 0xFF00FF00u);
  EXPECT_EQ(centre(), 0xFFFF0000u);  // the far one drawn last
  hostsim::scene.objects[1].position.z = 20;
  EXPECT_EQ(centre(), 0xFF00FF00u);
  std::vector<std::uint32_t> pixels = hostsim::render_scene();
  EXPECT_EQ(pixels[0], 0xFF000000u);  // beyond both: the 2D screen
}

// Nearest texel, tinted by the object's colour: each quarter of the square
// shows one texel of a 2 x 2 image.
TEST_F(Render, ShowsTheTextureTintedByTheColour) {
  hostsim::screen.ambient = 100;
  hostsim::Object& object = square(1, 10, 4, 0xFF80FFFFu);  // halves red
  object.texture = 7;
  object.texture_width = object.texture_height = 2;
  object.texture_pixels = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  std::vector<std::uint32_t> pixels = hostsim::render_scene();
  auto at = [&](int x, int y) { return pixels[std::size_t(y) * side + std::size_t(x)]; };
  EXPECT_EQ(at(40, 40), 0xFF800000u);  // top left: red, halved
  EXPECT_EQ(at(60, 40), 0xFF00FF00u);
  EXPECT_EQ(at(40, 60), 0xFF0000FFu);
  EXPECT_EQ(at(60, 60), 0xFF80FFFFu);
}

// Alpha 50 mixes half and half with what lies behind each pixel; the pixels
// on the diagonal the square's two triangles share are mixed once, like all
// the others.
TEST_F(Render, MixesASeeThroughSurfaceOnceOverWhatLiesBehind) {
  hostsim::screen.ambient = 100;
  auto checked = [](int x, int y) { return (x + y) % 2 == 1; };
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)  // black, and (32, 64, 96) on the checked squares
      if (checked(x, y)) hostsim::screen.pixels[std::size_t(y) * side + std::size_t(x)] = 0xFF204060u;
  square(1, 10, 40, 0xFFFFFFFFu).alpha = 50;  // wider than the view
  std::vector<std::uint32_t> pixels = hostsim::render_scene();
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      ASSERT_EQ(pixels[std::size_t(y) * side + std::size_t(x)], checked(x, y) ? 0xFF90A0B0u : 0xFF808080u)
          << x << ", " << y;
  hostsim::scene.objects[1].alpha = 0;
  EXPECT_EQ(centre(), 0xFF000000u);
}

// A terrain tile lit fully along its left edge (normals towards the light)
// and not at all along its right one (away from it), ambient 0, seen from a
// camera above it: a row of pixels across it runs from the full colour to
// black, its red falling by 0 or 1 a pixel (64 levels over 82 pixels).
TEST_F(Render, BlendsATerrainTilesBrightnessAcrossIt) {
  hostsim::screen.ambient = 0;
  for (std::uint32_t& pixel : hostsim::screen.pixels) pixel = 0xFF0000FFu;
  hostsim::scene.cameras[0].position = {12.5f, 0, -10};
  hostsim::Matrix& tile = hostsim::make_matrix(1, 1, 1);
  for (float& height : tile.heights) height = -6;
  hostsim::Normal lit{-1.0f / 3, 2.0f / 3, -2.0f / 3}, unlit{1.0f / 3, -2.0f / 3, 2.0f / 3};
  tile.normal(0, 0) = tile.normal(0, 1) = lit;
  tile.normal(1, 0) = tile.normal(1, 1) = unlit;
  std::vector<std::uint32_t> pixels = hostsim::render_scene();
  std::vector<std::uint32_t> row;  // row 69: the tile, without the background
  for (int x = 0; x < side; ++x)
    if (std::uint32_t pixel = pixels[std::size_t(69) * side + std::size_t(x)]; pixel != 0xFF0000FFu)
      row.push_back(pixel);
  ASSERT_EQ(row.size(), 82u);
  EXPECT_EQ(row.front(), hostsim::matrix_colour);
  EXPECT_EQ(row.back(), 0xFF000000u);
  for (std::size_t i = 1; i < row.size(); ++i) {
    int fall = int(row[i - 1] >> 16 & 0xFF) - int(row[i] >> 16 & 0xFF);
    EXPECT_TRUE(fall == 0 || fall == 1) << "pixel " << i;
  }
}

}  // namespace
