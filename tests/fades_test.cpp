// FADE SCREEN, DEFADE SCREEN, FLASH SCREEN.
#include "../hostsim/basic3d_state.h"
#include "draw2d_support.h"

using namespace draw2d_test;
using Fades = plugin::HostTest;

namespace {

// The alpha factors passed, in order, as the log writes them.
Lines alphas(int object) {
  Lines lines = hostsim::log_of("SetAlphaFactor");
  EXPECT_EQ(plugin::arguments_of(lines, 0), Lines(lines.size(), std::to_string(object)));
  return plugin::arguments_of(lines, 1);
}

Lines count(int from, int to) {
  Lines values;
  for (int a = from;; a += from <= to ? 1 : -1) {
    values.push_back(std::to_string(a));
    if (a == to) return values;
  }
}

Lines joined(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST_F(Fades, FadeBuildsThePlaneThenStepsItsAlpha) {
  hostsim::set_screen_size(320, 200);
  hostsim::scene.cameras[0].position = {1.5f, 2, 3};
  cmd::fadescreen(7, 0);
  Lines setup(hostsim::log().begin(), hostsim::log().begin() + 15);
  EXPECT_EQ(setup, (Lines{"Light.SetAmbient(100)", "Basic3D.GetExist(7)", "Basic3D.DeleteEx(7)",
                          "Camera.SetAutoCamOff()", "Setup.GetDisplayHeight()", "Setup.GetDisplayWidth()",
                          "Basic3D.MakePlane(7,320,200)", "Basic2D.Rgb(255,255,255)", "Basic3D.Color(7,0xFFFFFFFF)",
                          "Camera.GetZPositionEx()", "Camera.GetYPositionEx()", "Camera.GetXPositionEx()",
                          "Basic3D.Position(7,201.5,2,103)", "Basic3D.LockOn(7)", "Basic3D.XRotate(7,16)"}));
  Lines steps(hostsim::log().begin() + 15, hostsim::log().begin() + 17);
  EXPECT_EQ(steps, (Lines{"Basic3D.SetAlphaFactor(7,0)", "Core.Sync()"}));
  EXPECT_EQ(alphas(7), count(0, 99));
  EXPECT_EQ(hostsim::log().size(), 15u + 2u * 100u);
  EXPECT_EQ(hostsim::core_state.frames, 100);

  const hostsim::Object& plane = hostsim::scene.objects.at(7);
  EXPECT_EQ(plane.kind, "plane");
  EXPECT_EQ(plane.colour, 0xFFFFFFFFu);
  EXPECT_EQ(plane.alpha, 99.f);
  EXPECT_TRUE(plane.locked_on);
  EXPECT_EQ(plane.angles.x, 16.f);
  EXPECT_FALSE(hostsim::scene.auto_camera);
  EXPECT_EQ(hostsim::screen.ambient, 100);
}

TEST_F(Fades, PlaneIsPlacedOffTheCameraPosition) {
  hostsim::scene.cameras[0].position = {0.1f, 0, -0.3f};
  cmd::fadescreen(2, 0);
  EXPECT_EQ(hostsim::log_of("Position"), (Lines{"Basic3D.Position(2," + hostsim::format_float(0.1f + 200.0f) + ",0," +
                                                hostsim::format_float(-0.3f + 100.0f) + ")"}));
}

TEST_F(Fades, AnExistingObjectIsReusedAsItIs) {
  cmd::fadescreen(7, 0);
  hostsim::scene.objects.at(7).position = {5, 6, 7};
  hostsim::clear_log();
  cmd::fadescreen(7, 0);
  Lines setup(hostsim::log().begin(), hostsim::log().begin() + 3);
  EXPECT_EQ(setup, (Lines{"Light.SetAmbient(100)", "Basic3D.GetExist(7)", "Basic3D.SetAlphaFactor(7,0)"}));
  EXPECT_EQ(hostsim::log_without({"SetAmbient", "GetExist", "SetAlphaFactor", "Sync"}), Lines{});
  EXPECT_EQ(alphas(7), count(0, 99));
  EXPECT_EQ(hostsim::scene.objects.at(7).position.x, 5.f);
}

TEST_F(Fades, DefadeRunsFromOpaqueToClear) {
  cmd::defadescreen(3, 0);
  EXPECT_EQ(alphas(3), count(100, 0));
  EXPECT_EQ(hostsim::core_state.frames, 101);
  EXPECT_EQ(hostsim::scene.objects.at(3).alpha, 0.f);
}

TEST_F(Fades, FlashPeaksForOneStep) {
  cmd::flashscreen(3, 0);
  EXPECT_EQ(alphas(3), joined(count(0, 99), count(100, 0)));
  EXPECT_EQ(hostsim::core_state.frames, 201);
}

TEST(FadesWithoutModules, AFadeCompletesWithoutLightAndSetup) {
  hostsim::reset();
  ASSERT_TRUE(hostsim::load_modules({{EC_HOST_PREFIX "LightDebug.dll", EC_HOST_PREFIX "SetupDebug.dll"}, {}}));
  cmd::fadescreen(9, -5);
  // The missing calls do nothing and yield 0: the plane is made 0 x 0.
  EXPECT_TRUE(hostsim::log_of("SetAmbient").empty());
  EXPECT_TRUE(hostsim::log_of("GetDisplayWidth").empty());
  EXPECT_EQ(hostsim::log_of("MakePlane"), (Lines{"Basic3D.MakePlane(9,0,0)"}));
  EXPECT_EQ(hostsim::core_state.frames, 100);
  EXPECT_EQ(hostsim::scene.objects.at(9).alpha, 99.f);
}
