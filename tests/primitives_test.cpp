// CREATE OBJECT DISH, CREATE OBJECT CAPSULE, FIX OBJECT SCALE.
#include <cmath>
#include <limits>

#include "../hostsim/basic3d_state.h"
#include "../hostsim/system_state.h"
#include "plugin.h"
#include "vertices.h"

using hostsim::Vec3;

namespace {

// The vertex pass over n vertices: the count before each vertex and once after.
Lines vertex_pass(const std::vector<Vec3>& written) {
  Lines lines;
  for (std::size_t i = 0; i < written.size(); ++i) {
    std::string index = std::to_string(i);
    const Vec3& v = written[i];
    lines.insert(lines.end(),
                 {"Basic3D.GetVertexDataVertexCount()", "Basic3D.GetVertexDataPositionX(" + index + ")",
                  "Basic3D.GetVertexDataPositionY(" + index + ")", "Basic3D.GetVertexDataPositionZ(" + index + ")",
                  "Basic3D.SetVertexDataPosition(" + index + "," + hostsim::format_float(v.x) + "," +
                      hostsim::format_float(v.y) + "," + hostsim::format_float(v.z) + ")"});
  }
  lines.push_back("Basic3D.GetVertexDataVertexCount()");
  return lines;
}

Lines joined(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The dish's vertex before the rebuild: the upper half folded in and shrunk.
Vec3 folded(Vec3 v, float inner) {
  if (!(v.y > 0)) return v;
  return {v.x * inner, -v.y * inner, v.z * inner};
}

class Primitives : public plugin::HostTest {};

}  // namespace

TEST_F(Primitives, DishCallSequence) {
  cmd::makeobjectdish(1, 10.0f, 50.0f, 50.0f);
  std::vector<Vec3> written;
  for (const Vec3& v : hostsim::sphere_mesh(10, 16, 16).vertices) written.push_back(folded(v, 0.5f));
  EXPECT_EQ(hostsim::log(),
            joined({{"Basic3D.MakeSphere(1,10,16,16)", "Basic3D.Scale(1,100,50,100)",
                     "Basic3D.LockVertexDataForLimbCore(1,0,1)"},
                    vertex_pass(written),
                    {"Basic3D.UnlockVertexData()", "Basic3D.MakeMeshFromObject(5000,1)", "Basic3D.DeleteEx(1)",
                     "Basic3D.MakeObject(1,5000,0)", "Basic3D.DeleteMesh(5000)", "Basic3D.CalculateObjectBounds(1)"}}));
}

TEST_F(Primitives, DishFoldsTheUpperHalfInside) {
  cmd::makeobjectdish(2, 10.0f, 100.0f, 50.0f);
  const std::vector<Vec3> sphere = hostsim::sphere_mesh(10, 16, 16).vertices;
  const std::vector<Vec3> dish = vertices::of_limb(2, 0);
  ASSERT_EQ(dish.size(), sphere.size());
  std::vector<Vec3> expected;
  int rim = 0;
  for (const Vec3& v : sphere) {
    expected.push_back(folded(v, 0.5f));
    rim += v.y == 0;
  }
  vertices::expect_equal(dish, expected);
  EXPECT_GT(rim, 0);  // the equator stays where it is
  const hostsim::Object& object = hostsim::scene.objects.at(2);
  EXPECT_EQ(object.kind, "mesh");
  EXPECT_EQ(object.bounds_calculated, 1);
  EXPECT_TRUE(hostsim::scene.meshes.empty());
}

TEST_F(Primitives, DishInnerPercentagesAndHeight) {
  const std::vector<Vec3> sphere = hostsim::sphere_mesh(8, 16, 16).vertices;
  cmd::makeobjectdish(1, 8.0f, 100.0f, 100.0f);  // a mirror: zero thickness
  std::vector<Vec3> dish = vertices::of_limb(1, 0);
  for (std::size_t i = 0; i < sphere.size(); ++i) {
    Vec3 mirrored{sphere[i].x, -std::abs(sphere[i].y), sphere[i].z};
    EXPECT_EQ(dish[i].y, mirrored.y);
    EXPECT_EQ(dish[i].x, mirrored.x);
  }
  cmd::makeobjectdish(1, 8.0f, 100.0f, 0.0f);  // the upper half collapses to the centre
  dish = vertices::of_limb(1, 0);
  for (std::size_t i = 0; i < sphere.size(); ++i)
    if (sphere[i].y > 0) {
      EXPECT_TRUE(dish[i].x == 0 && dish[i].y == 0 && dish[i].z == 0);
    }
  // The factor 10 / 100 is stored as a float before each product.
  cmd::makeobjectdish(1, 8.0f, 100.0f, 10.0f);
  dish = vertices::of_limb(1, 0);
  int unlike_double = 0;
  for (std::size_t i = 0; i < sphere.size(); ++i) {
    EXPECT_EQ(dish[i].x, folded(sphere[i], 0.1f).x) << i;
    unlike_double += sphere[i].y > 0 && float(sphere[i].x * 0.1) != dish[i].x;
  }
  EXPECT_GT(unlike_double, 0);
  cmd::makeobjectdish(1, 8.0f, 25.0f, 100.0f);  // the height percentage flattens the bowl
  dish = vertices::of_limb(1, 0);
  for (std::size_t i = 0; i < sphere.size(); ++i) EXPECT_EQ(dish[i].y, float(-std::abs(sphere[i].y) * 0.25));
}

TEST_F(Primitives, CapsuleCallSequenceAndVertices) {
  cmd::createobjectcapsule(4, 30.0f, 10.0f);
  std::vector<Vec3> moved = hostsim::sphere_mesh(10, 11, 16).vertices;
  for (Vec3& v : moved) v.y = v.y > 0 ? v.y + 20 : v.y - 20;
  EXPECT_EQ(hostsim::log(), joined({{"Basic3D.MakeSphere(4,10,11,16)", "Basic3D.LockVertexDataForLimbCore(4,0,1)"},
                                    vertex_pass(moved),
                                    {"Basic3D.UnlockVertexData()", "Basic3D.MakeMeshFromObject(1,4)",
                                     "Basic3D.DeleteEx(4)", "Basic3D.MakeObject(4,1,0)", "Basic3D.DeleteMesh(1)"}}));
  vertices::expect_equal(vertices::of_limb(4, 0), moved);
  EXPECT_EQ(hostsim::scene.objects.at(4).bounds_calculated, 0);
  EXPECT_TRUE(hostsim::scene.meshes.empty());
  // A sphere of size 0 has every vertex at height 0 (or -0): none is above
  // the middle, so all move down.
  cmd::createobjectcapsule(5, 4.0f, 0.0f);
  std::vector<Vec3> flat = vertices::of_limb(5, 0);
  ASSERT_EQ(flat.size(), moved.size());
  for (const Vec3& v : flat) EXPECT_EQ(v.y, -4.0f);
}

TEST_F(Primitives, CapsuleOfItsOwnSizeStaysASphere) {
  hostsim::scene.meshes[1] = {};  // the program's mesh 1 is replaced and deleted
  cmd::createobjectcapsule(4, 6.0f, 6.0f);
  vertices::expect_equal(vertices::of_limb(4, 0), hostsim::sphere_mesh(6, 11, 16).vertices);
  EXPECT_TRUE(hostsim::scene.meshes.empty());
}

TEST_F(Primitives, CapsuleShorterThanItsSizeOrNotFiniteMakesNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  struct Case {
    float length, size;
  };
  for (Case c :
       {Case{9, 10}, Case{-1, 0}, Case{nan, 10}, Case{10, nan}, Case{inf, 10}, Case{inf, inf}, Case{10, -inf}}) {
    SCOPED_TRACE(::testing::Message() << c.length << " " << c.size);
    cmd::createobjectcapsule(4, c.length, c.size);
    EXPECT_TRUE(hostsim::log().empty());
    EXPECT_TRUE(hostsim::scene.objects.empty());
  }
}

TEST_F(Primitives, FixScaleBakesThePercentagesIntoEveryLimb) {
  cmd::createobjectpyramid(1, 10, 4, 0);
  std::map<int, std::vector<Vec3>> before;
  for (const auto& [number, mesh] : hostsim::scene.objects.at(1).limbs) before[number] = mesh.vertices;
  hostsim::clear_log();
  cmd::fixobjectscale(1, 200.0f, 50.0f, 33.0f);

  Lines expected{"Basic3D.PerformCheckListForLimbs(1)", "System.ChecklistQuantity()", "System.EmptyChecklist()"};
  const float kz = float(33.0 / 100);
  for (auto& [number, scaled] : before) {
    for (Vec3& v : scaled) v = {v.x * 2.0f, v.y * 0.5f, v.z * kz};
    expected = joined({expected,
                       {"Basic3D.LockVertexDataForLimbCore(1," + std::to_string(number) + ",2)"},
                       vertex_pass(scaled),
                       {"Basic3D.UnlockVertexData()", "Core.Sync()"}});
    vertices::expect_equal(vertices::of_limb(1, number), scaled);
  }
  expected.push_back("Basic3D.CalculateObjectBounds(1)");
  EXPECT_EQ(hostsim::log(), expected);
  EXPECT_TRUE(hostsim::checklist.empty());
  EXPECT_EQ(hostsim::core_state.frames, 7);
}

TEST_F(Primitives, FixScaleAtHundredRewritesUnchanged) {
  cmd::createobjectcapsule(2, 12.0f, 8.0f);
  std::vector<Vec3> before = vertices::of_limb(2, 0);
  cmd::fixobjectscale(2, 100.0f, 100.0f, 100.0f);
  vertices::expect_equal(vertices::of_limb(2, 0), before);
  EXPECT_EQ(hostsim::log_of("SetVertexDataPosition").size(), 2 * before.size());
  EXPECT_EQ(hostsim::log_of("Sync").size(), 1u);
}

TEST_F(Primitives, FixScaleOnEmptyOrMissingObjects) {
  hostsim::make_object(3, "mesh", {});  // one limb without vertices
  cmd::fixobjectscale(3, 50.0f, 50.0f, 50.0f);
  EXPECT_EQ(hostsim::log_of("GetVertexDataVertexCount").size(), 1u);
  EXPECT_EQ(hostsim::log_of("Sync").size(), 1u);
  hostsim::clear_log();
  cmd::fixobjectscale(99, 50.0f, 50.0f, 50.0f);  // no object: no limb, bounds asked all the same
  EXPECT_EQ(hostsim::log(), (Lines{"Basic3D.PerformCheckListForLimbs(99)", "System.ChecklistQuantity()",
                                   "System.EmptyChecklist()", "Basic3D.CalculateObjectBounds(99)"}));
}

TEST_F(Primitives, BadNumbersReachTheHostWithoutHarm) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  cmd::makeobjectdish(1, nan, inf, nan);
  EXPECT_EQ(hostsim::scene.objects.count(1), 1u);
  cmd::makeobjectdish(-5, -10.0f, -100.0f, -50.0f);
  EXPECT_EQ(vertices::of_limb(-5, 0).size(), hostsim::sphere_mesh(-10, 16, 16).vertices.size());
  cmd::createobjectpyramid(6, 4, 4, 0);
  cmd::fixobjectscale(6, nan, inf, -inf);
  EXPECT_TRUE(std::isnan(vertices::of_limb(6, 3)[0].x));
}
