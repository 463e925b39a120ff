// CREATE OBJECT PYRAMID: call sequences, limbs and corners, messages.
#include <cmath>

#include "../hostsim/basic3d_state.h"
#include "../hostsim/bitmap_state.h"
#include "../hostsim/memblocks_state.h"
#include "plugin.h"
#include "vertices.h"

using hostsim::Vec3;

namespace {

const char* const exists_message = "Runtime Error! Object already exists!";
const char* const no_mesh_message = "Runtime Error! No More mesh can be made!";
const char* const sides_message = "Syntax Error! Can not have more sides than 4 or less sides than 3";

std::vector<int> limb_numbers(int object) {
  std::vector<int> numbers;
  for (const auto& [number, mesh] : hostsim::scene.objects.at(object).limbs) numbers.push_back(number);
  return numbers;
}

// The four-sided pyramid's limbs for half size h, in limb order 1 to 6.
std::vector<std::vector<Vec3>> four_sided_faces(float h) {
  Vec3 apex{0, h, 0};
  return {{{-h, -h, h}, {h, -h, h}, {h, -h, -h}}, {{-h, -h, h}, {-h, -h, -h}, {h, -h, -h}},
          {{-h, -h, h}, {h, -h, h}, apex},        {{h, -h, h}, {h, -h, -h}, apex},
          {{h, -h, -h}, {-h, -h, -h}, apex},      {{-h, -h, -h}, {-h, -h, h}, apex}};
}

class Pyramid : public plugin::HostTest {};

}  // namespace

TEST_F(Pyramid, FourSidesCallSequence) {
  cmd::createobjectpyramid(1, 10, 4, 0);
  Lines expected{"Basic3D.GetExist(1)", "Basic3D.MakePlane(1,0,0)", "Basic3D.Position(1,0,0,0)",
                 "Basic3D.GetExist(1)", "Basic3D.GetExist(2)",      "Basic3D.GetMeshExist(1)"};
  auto faces = four_sided_faces(5);
  for (int i = 0; i < 6; ++i) {
    std::string triangle = "Basic3D.MakeTriangle(2";
    for (const Vec3& c : faces[i])
      for (float coordinate : {c.x, c.y, c.z}) triangle.append(",").append(hostsim::format_float(coordinate));
    Lines face{triangle.append(")"), "Basic3D.MakeMeshFromObject(1,2)", "Basic3D.DeleteEx(2)",
               "Basic3D.AddLimb(1," + std::to_string(i + 1) + ",1)", "Basic3D.DeleteMesh(1)"};
    expected.insert(expected.end(), face.begin(), face.end());
  }
  EXPECT_EQ(hostsim::log(), expected);
  EXPECT_EQ(expected[6], "Basic3D.MakeTriangle(2,-5,-5,5,5,-5,5,5,-5,-5)");
}

TEST_F(Pyramid, FourSidedLimbsForSeveralSizes) {
  struct Case {
    int size;
    float half;
  };
  for (Case c : {Case{10, 5}, Case{5, 2}, Case{1, 0}, Case{0, 0}, Case{-4, -2}, Case{-5, -2}}) {
    SCOPED_TRACE(c.size);
    hostsim::reset();
    cmd::createobjectpyramid(7, c.size, 4, 0);
    EXPECT_EQ(limb_numbers(7), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    auto faces = four_sided_faces(c.half);
    for (int i = 0; i < 6; ++i) vertices::expect_equal(vertices::of_limb(7, i + 1), faces[i]);
    const hostsim::Object& pyramid = hostsim::scene.objects.at(7);
    EXPECT_EQ(pyramid.kind, "plane");
    EXPECT_EQ(pyramid.position.x, 0.0f);
    EXPECT_EQ(hostsim::scene.objects.size(), 1u);  // the scratch object is gone
    EXPECT_TRUE(hostsim::scene.meshes.empty());    // and so is the scratch mesh
    EXPECT_TRUE(hostsim::core_state.printed.empty());
  }
}

TEST_F(Pyramid, ThreeSidesProbesTheBaseCornersWithTheFullSize) {
  cmd::createobjectpyramid(1, 10, 3, 0);
  Lines probe = hostsim::log_of("MakePlane");
  EXPECT_EQ(probe, (Lines{"Basic3D.MakePlane(1,0,0)", "Basic3D.MakePlane(2,0,0)", "Basic3D.MakePlane(2,0,0)",
                          "Basic3D.MakePlane(2,0,0)"}));
  EXPECT_EQ(hostsim::log_of("YRotate"),
            (Lines{"Basic3D.YRotate(2,0)", "Basic3D.YRotate(2,120)", "Basic3D.YRotate(2,240)"}));
  EXPECT_EQ(hostsim::log_of("Move"), (Lines{"Basic3D.Move(2,10)", "Basic3D.Move(2,10)", "Basic3D.Move(2,10)"}));
  Lines first_probe(hostsim::log().begin() + 6, hostsim::log().begin() + 14);
  EXPECT_EQ(first_probe, (Lines{"Basic3D.MakePlane(2,0,0)", "Basic3D.Position(2,0,-5,0)", "Basic3D.YRotate(2,0)",
                                "Basic3D.Move(2,10)", "Basic3D.GetXPositionEx(2)", "Basic3D.GetYPositionEx(2)",
                                "Basic3D.GetZPositionEx(2)", "Basic3D.DeleteEx(2)"}));

  EXPECT_EQ(limb_numbers(1), (std::vector<int>{0, 1, 2, 3, 4}));
  std::vector<Vec3> base = vertices::of_limb(1, 1);
  ASSERT_EQ(base.size(), 3u);
  EXPECT_EQ(base[0].x, 0.0f);
  EXPECT_EQ(base[0].z, 10.0f);
  // The corners come from the stand-in host's turns and moves, whose sines and
  // cosines are the C library's: their last bits may differ between libraries.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(base[i].y, -5.0f);
    EXPECT_NEAR(std::hypot(base[i].x, base[i].z), 10.0, 1e-5);
    double angle = std::atan2(base[i].x, base[i].z) * 180 / 3.14159265358979323846;
    EXPECT_NEAR(std::remainder(angle - 120.0 * i, 360.0), 0.0, 1e-4);
  }
  Vec3 apex{0, 5, 0};
  vertices::expect_equal(vertices::of_limb(1, 2), {base[0], base[1], apex});
  vertices::expect_equal(vertices::of_limb(1, 3), {base[0], base[2], apex});
  vertices::expect_equal(vertices::of_limb(1, 4), {base[1], base[2], apex});
  EXPECT_EQ(hostsim::scene.objects.size(), 1u);
}

TEST_F(Pyramid, ThreeSidedCornersForOtherSizes) {
  struct Case {
    int size;
    float half;
  };
  for (Case c : {Case{5, 2}, Case{1, 0}, Case{-4, -2}}) {
    SCOPED_TRACE(c.size);
    hostsim::reset();
    cmd::createobjectpyramid(3, c.size, 3, 0);
    std::vector<Vec3> base = vertices::of_limb(3, 1);
    ASSERT_EQ(base.size(), 3u);
    for (const Vec3& corner : base) {
      EXPECT_EQ(corner.y, -c.half);
      EXPECT_NEAR(std::hypot(corner.x, corner.z), std::abs(c.size), 1e-5);
    }
    // A negative size moves backwards: the first corner lies behind the axis.
    EXPECT_EQ(base[0].z, float(c.size));
    vertices::expect_equal(vertices::of_limb(3, 4), {base[1], base[2], {0, c.half, 0}});
  }
}

TEST_F(Pyramid, OtherSideCountsPrintTheSyntaxErrorAndAddFourEmptyLimbs) {
  for (int sides : {5, 2, 0, -3, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(sides);
    hostsim::reset();
    cmd::createobjectpyramid(1, 10, sides, 0);
    EXPECT_EQ(hostsim::core_state.printed, (Lines{sides_message}));
    Lines log = hostsim::log();
    auto print = std::find(log.begin(), log.end(), "Core.PrintCS(\"" + std::string(sides_message) + "\")");
    ASSERT_NE(print, log.end());
    EXPECT_EQ(*(print - 2), "Camera.BackdropOff()");
    EXPECT_EQ(*(print - 1), "Core.SetCursor(0,0)");
    EXPECT_EQ(*(print + 1), "Basic3D.MakeTriangle(2,0,0,0,0,0,0,0,0,0)");
    EXPECT_EQ(limb_numbers(1), (std::vector<int>{0, 3, 4, 5, 6}));
    for (int number = 3; number <= 6; ++number) vertices::expect_equal(vertices::of_limb(1, number), {{}, {}, {}});
    EXPECT_TRUE(hostsim::log_of("YRotate").empty());
  }
}

TEST_F(Pyramid, AnExistingObjectIsReportedAndBuiltOver) {
  cmd::createobjectpyramid(1, 10, 4, 0);
  hostsim::clear_log();
  cmd::createobjectpyramid(1, 6, 4, 0);
  EXPECT_EQ(hostsim::core_state.printed, (Lines{exists_message}));
  Lines start(hostsim::log().begin(), hostsim::log().begin() + 5);
  EXPECT_EQ(start, (Lines{"Basic3D.GetExist(1)", "Camera.BackdropOff()",
                          "Core.PrintCS(\"Runtime Error! Object already exists!\")", "Basic3D.MakePlane(1,0,0)",
                          "Basic3D.Position(1,0,0,0)"}));
  vertices::expect_equal(vertices::of_limb(1, 3), four_sided_faces(3)[2]);
}

TEST_F(Pyramid, ScratchNumbersAreTheLowestFree) {
  hostsim::make_object(2, "cube", {});
  hostsim::make_object(3, "cube", {});
  hostsim::scene.meshes[1] = {};
  cmd::createobjectpyramid(1, 4, 4, 0);
  EXPECT_EQ(hostsim::log_of("GetExist"), (Lines{"Basic3D.GetExist(1)", "Basic3D.GetExist(1)", "Basic3D.GetExist(2)",
                                                "Basic3D.GetExist(3)", "Basic3D.GetExist(4)"}));
  EXPECT_EQ(hostsim::log_of("GetMeshExist"), (Lines{"Basic3D.GetMeshExist(1)", "Basic3D.GetMeshExist(2)"}));
  EXPECT_EQ(hostsim::log_of("AddLimb").front(), "Basic3D.AddLimb(1,1,2)");
  EXPECT_EQ(hostsim::log_of("MakeTriangle").front().rfind("Basic3D.MakeTriangle(4,", 0), 0u);
  EXPECT_EQ(hostsim::scene.objects.count(4), 0u);
  EXPECT_EQ(hostsim::scene.meshes.count(1), 1u);  // the program's own mesh stays
}

TEST_F(Pyramid, NoFreeMeshNumberIsReportedAndMeshZeroIsUsed) {
  for (int number = 1; number <= 65000; ++number) hostsim::scene.meshes[number] = {};
  cmd::createobjectpyramid(1, 10, 4, 0);
  EXPECT_EQ(hostsim::core_state.printed, (Lines{no_mesh_message}));
  EXPECT_EQ(hostsim::log_of("GetMeshExist").size(), 65000u);
  EXPECT_EQ(hostsim::log_of("AddLimb").front(), "Basic3D.AddLimb(1,1,0)");
  vertices::expect_equal(vertices::of_limb(1, 6), four_sided_faces(5)[5]);
  EXPECT_EQ(hostsim::scene.meshes.count(0), 0u);
}

TEST_F(Pyramid, TextureStepMergesTheLimbsWithAWhiteImage) {
  hostsim::storage.images[1] = {};   // the program's image: the texture takes number 2
  hostsim::bitmaps.bitmaps[1] = {};  // bitmap 1 is used whatever it held
  cmd::createobjectpyramid(1, 10, 4, 1);
  Lines log = hostsim::log();
  auto step = std::find(log.begin(), log.end(), "Image.GetExistEx(1)");
  ASSERT_NE(step, log.end());
  Lines texture(step, log.end());
  ASSERT_EQ(texture.size(), 24u);
  EXPECT_EQ(Lines(texture.begin(), texture.begin() + 3),
            (Lines{"Image.GetExistEx(1)", "Image.GetExistEx(2)", "Bitmap.CreateBitmap(1,2,2)"}));
  const char* dots[] = {"Basic2D.Dot(0,0)", "Basic2D.Dot(0,1)", "Basic2D.Dot(1,0)", "Basic2D.Dot(1,1)"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(texture[3 + 3 * i], "Basic2D.Rgb(255,255,255)");
    EXPECT_EQ(texture[4 + 3 * i].rfind("Basic2D.Ink(0x", 0), 0u);
    EXPECT_EQ(texture[4 + 3 * i].substr(texture[4 + 3 * i].size() - 5), ",0x0)");
    EXPECT_EQ(texture[5 + 3 * i], dots[i]);
  }
  EXPECT_EQ(Lines(texture.begin() + 15, texture.end()),
            (Lines{"Image.GrabImageEx(2,0,0,2,2)", "Bitmap.DeleteBitmapEx(1)", "Basic3D.MakeMeshFromObject(1,1)",
                   "Basic3D.DeleteEx(1)", "Basic3D.MakeObject(1,1,2)", "Basic3D.DeleteMesh(1)", "Image.DeleteEx(2)",
                   "Basic3D.Set(1,1,1,0)", "Basic3D.CalculateObjectBounds(1)"}));

  const hostsim::Object& pyramid = hostsim::scene.objects.at(1);
  EXPECT_EQ(pyramid.kind, "mesh");
  EXPECT_EQ(pyramid.texture_pixels, std::vector<std::uint32_t>(4, 0xFFFFFFFFu));  // 2 x 2 white
  EXPECT_EQ(limb_numbers(1), (std::vector<int>{0}));
  std::vector<Vec3> merged = vertices::of_limb(1, 0);
  ASSERT_EQ(merged.size(), 6u + 6 * 3);  // the zero-size plane, then the six faces
  auto faces = four_sided_faces(5);
  for (int i = 0; i < 6; ++i)
    vertices::expect_equal(std::vector<Vec3>(merged.begin() + 6 + 3 * i, merged.begin() + 9 + 3 * i), faces[i]);
  EXPECT_EQ(pyramid.texture, 2);
  EXPECT_EQ(pyramid.settings, (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(pyramid.bounds_calculated, 1);
  EXPECT_EQ(hostsim::storage.images.count(2), 0u);
  EXPECT_EQ(hostsim::storage.images.count(1), 1u);
  EXPECT_TRUE(hostsim::bitmaps.bitmaps.empty());
  EXPECT_EQ(hostsim::current_bitmap(), nullptr);
  EXPECT_TRUE(hostsim::scene.meshes.empty());
}

TEST_F(Pyramid, OnlyFlagOneTextures) {
  for (int flag : {0, 2, -1}) {
    hostsim::reset();
    cmd::createobjectpyramid(1, 10, 3, flag);
    EXPECT_TRUE(hostsim::log_of("CreateBitmap").empty());
    EXPECT_TRUE(hostsim::log_of("GetExistEx").empty());
    EXPECT_TRUE(hostsim::log_of("Set").empty());
    EXPECT_EQ(limb_numbers(1).size(), 5u);
  }
}
