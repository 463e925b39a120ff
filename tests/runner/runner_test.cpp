// The runner: scripts run against the stand-in host, broken scripts stop
// with a clear message, results match the exports called directly, and the
// command reference covers every command.
#include "../../tools/runner/runner.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../../draw2d/draw2d.h"
#include "../../hostsim/basic2d_state.h"
#include "../../hostsim/basic3d_state.h"
#include "../../hostsim/core_state.h"
#include "../../hostsim/hostsim.h"
#include "../../hostsim/input_state.h"
#include "../../hostsim/memblocks_state.h"
#include "../../hostsim/png_io.h"
#include "../../hostsim/render.h"
#include "../../plugin/commands.h"
#include "../../plugin/exports.h"
#include "../../plugin/scratch.h"
#include "../../tools/runner/callees.h"
#include "../../tools/runner/descriptions.h"
#include "../../tools/runner/directives.h"
#include "../../utilities/input.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out, err;
};

Outcome run(const std::string& script, const std::string& output_dir = testing::TempDir()) {
  runner::Options options;
  options.output_dir = output_dir;
  std::ostringstream out, err;
  int status = runner::run_source(script, "test.ecs", ".", options, out, err);
  return {status, out.str(), err.str()};
}

template <class F>
F* command(const char* decorated) {
  return reinterpret_cast<F*>(exports::find(decorated));
}

std::string read_file(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// ---- script syntax and values

TEST(RunnerScript, PrintsResultsAndStoresThemInVariables) {
  Outcome outcome =
      run("# a comment\n"
          "\n"
          "$ext = GET FILE EXTENSION(\"archive.tar.gz\")   # trailing comment\n"
          "GET SHORT FILENAME \"notes.txt\"\n"
          "print \"extension:\", $ext, 12, 0x10\n"
          "expect $ext, \".gz\"\n");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out,
            "$ext = \".gz\"\n"
            "GET SHORT FILENAME = \"txt\"\n"
            "extension: .gz 12 0x10\n");
  EXPECT_EQ(hostsim::live_strings(), 0);  // text results go back to the host
  EXPECT_EQ(hostsim::overrun_strings(), 0);
}

TEST(RunnerScript, MarshalsEachTypeFromItsLetter) {
  Outcome outcome =
      run("MakePlane 1, 2.5, -3e1\n"
          "Position(1, 1, -2.25, 0x0)\n"
          "FRONT INK -1\n"
          "BACK INK 0x80402010\n"
          "$x = GetXPositionEx 1\n"
          "$s = SqrtFF 2\n"
          "$r = RndLL 0\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  ASSERT_EQ(hostsim::scene.objects.count(1), 1u);
  EXPECT_EQ(hostsim::scene.objects[1].position.y, -2.25f);
  EXPECT_EQ(hostsim::record_ink(true), 0xFFFFFFFFu);
  EXPECT_EQ(hostsim::record_ink(false), 0x80402010u);
  EXPECT_NE(outcome.out.find("$x = 1\n"), std::string::npos);
  EXPECT_NE(outcome.out.find("$s = 1.41421354\n"), std::string::npos);
  EXPECT_NE(outcome.out.find("$r = 0\n"), std::string::npos);
}

TEST(RunnerScript, TextsKeepQuotesCommasAndHashes) {
  Outcome outcome = run("print \"a, \\\"b\\\" # c\"\n$e = GET FILE EXTENSION(\"x,y.#z\")\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "a, \"b\" # c\n$e = \".#z\"\n");
}

TEST(RunnerScript, DirectivesSetTheHostUp) {
  Outcome outcome =
      run("screen 64, 48\n"
          "mouse 10, 20, 1\n"
          "mouse move 3, -4\n"
          "key 32, 1\n"
          "timer 500\n"
          "frames 3\n"
          "frames 2, 100\n"
          "camera 1, 2, -3\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(hostsim::screen.width, 64);
  EXPECT_EQ(hostsim::screen.height, 48);
  EXPECT_EQ(hostsim::input_state.mouse_x, 10);
  EXPECT_EQ(hostsim::input_state.mouse_click, 1);
  EXPECT_EQ(hostsim::input_state.mouse_move_y, -4);
  EXPECT_EQ(hostsim::input_state.keys[32], 1);
  EXPECT_EQ(hostsim::core_state.timer, 500 + 3 * 16 + 2 * 100);
  EXPECT_EQ(hostsim::core_state.frames, 5);
  EXPECT_EQ(hostsim::scene.cameras[0].position.z, -3.0f);
}

// "loop N" runs the lines after it N times in all; a loop without a count runs
// them once unless the caller lets it repeat, and then until after_line stops it.
TEST(RunnerScript, LoopsRepeatTheLinesAfterThem) {
  Outcome counted = run("frames 1\nloop 3\nframes 10\nprint \"pass\"\n");
  ASSERT_EQ(counted.status, 0) << counted.err;
  EXPECT_EQ(hostsim::core_state.frames, 31);
  EXPECT_EQ(counted.out, "pass\npass\npass\n");

  EXPECT_EQ(run("loop\nframes 1\n").status, 0);
  EXPECT_EQ(hostsim::core_state.frames, 1);

  runner::Options options;
  options.output_dir = testing::TempDir();
  options.endless_loops = true;
  int lines = 0;
  options.after_line = [&] {
    if (++lines == 7) throw runner::ScriptError("stopped");
  };
  std::ostringstream out, err;
  EXPECT_EQ(runner::run_source("frames 1\nloop\nframes 1\nframes 1\n", "test.ecs", ".", options, out, err), 1);
  EXPECT_EQ(hostsim::core_state.frames, 6);  // lines 1, 2, 3, 4, 3, 4, and the 7th, 3, stops
  EXPECT_EQ(err.str(), "test.ecs:3: stopped\n");
}

TEST(RunnerScript, SavesAndLoadsImages) {
  std::string dir = testing::TempDir() + "runner_images";
  hostsim::Image image;
  image.width = 2, image.height = 1, image.pixels = {0xFFFF0000u, 0xFF00FF00u};
  fs::create_directories(dir);
  ASSERT_TRUE(hostsim::save_png(dir + "/in.png", 2, 1, image.pixels));
  Outcome outcome = run("load image 3, \"" + dir + "/in.png\"\nsave image 3, \"copy/out.png\"\n", dir);
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(hostsim::load_png(dir + "/copy/out.png", width, height, pixels));
  EXPECT_EQ(pixels, image.pixels);
}

TEST(RunnerScript, RepeatsLinesCountingAndAssigns) {
  Outcome outcome =
      run("$sum = 0\n"
          "repeat $i, 1, 4\n"
          "  $sum = calc $sum, \"+\", $i\n"
          "end repeat\n"
          "repeat 2\n"
          "  repeat $j, 2, 1\n"
          "    print $sum, $j\n"
          "  end repeat\n"
          "end repeat\n"
          "repeat 0\n"
          "  print \"never\"\n"
          "end repeat\n"
          "repeat $k, 1, 2, -3\n"
          "  print \"never\"\n"
          "end repeat\n"
          "$half = calc $sum, \"/\", 4\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out,
            "$sum = 1\n$sum = 3\n$sum = 6\n$sum = 10\n"
            "10 2\n10 1\n10 2\n10 1\n"
            "$half = 2.5\n");
  EXPECT_EQ(run("print 1\nrepeat 2\nprint 2\n").err, "test.ecs:2: this repeat has no end repeat\n");
  EXPECT_EQ(run("end repeat\n").err, "test.ecs:1: end repeat without a repeat before it\n");
}

// Every second presented frame is kept, and the screen as it stands at the
// end; a frame like the one before lengthens it; the last one rests a second.
TEST(RunnerScript, RecordsPresentedFramesIntoALoopingGif) {
  std::string dir = testing::TempDir() + "runner_gif";
  Outcome outcome =
      run("screen 40, 30\nzoom 2\nrecord \"a.gif\", 2, 10, 30\n"
          "Sync\nBox 0, 0, 5, 5\nSync\nSync\nBox 10, 10, 20, 20\nframes 2\nSync\nrecord end\n",
          dir);
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "wrote " + dir + "/a.gif (4 frames)\n");
  int error = 0;
  GifFileType* gif = DGifOpenFileName((dir + "/a.gif").c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  std::vector<int> delays, widths;
  for (int i = 0; i < gif->ImageCount; ++i) {
    GraphicsControlBlock control;
    DGifSavedExtensionToGCB(gif, i, &control);
    delays.push_back(control.DelayTime);
    widths.push_back(gif->SavedImages[i].ImageDesc.Width);
  }
  int width = gif->SWidth, height = gif->SHeight;
  DGifCloseFile(gif, &error);
  EXPECT_EQ(width, 80);
  EXPECT_EQ(height, 60);
  // Frames 0, 2 and 4 kept; the screen at the end equals frame 4, which rests.
  EXPECT_EQ(delays, (std::vector<int>{6, 6, 6 + 100}));
  EXPECT_EQ(widths, (std::vector<int>{80, 2 * 6, 2 * 11}));  // after the first, only what changed
}

// ---- broken scripts

TEST(RunnerErrors, BrokenScriptsStopWithTheirMessage) {
  fs::path folder = fs::path(EC_SOURCE_DIR) / "tests" / "scripts";
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name.rfind("bad_", 0) != 0) continue;
    SCOPED_TRACE(name);
    std::string text = read_file(entry.path());
    const std::string marker = "# error: ";
    ASSERT_EQ(text.rfind(marker, 0), 0u) << "first line must be " << marker << "LINE: MESSAGE";
    std::string expected = text.substr(marker.size(), text.find('\n') - marker.size());
    std::size_t dir = expected.find("<dir>");
    if (dir != std::string::npos) expected.replace(dir, 5, folder.string());
    runner::Options options;
    options.output_dir = testing::TempDir();
    std::ostringstream out, err;
    EXPECT_EQ(runner::run_file(entry.path().string(), options, out, err), 1);
    EXPECT_EQ(err.str(), entry.path().string() + ":" + expected + "\n");
    EXPECT_EQ(out.str().find("after"), std::string::npos);  // nothing after the fault ran
    ++checked;
  }
  EXPECT_GE(checked, 10);
}

TEST(RunnerErrors, OddLinesNeverCrash) {
  const char* lines[] = {
      "$",
      "$a =",
      "$1 = Rgb 1, 2, 3",
      "=",
      "(",
      ")",
      "\"",
      ",",
      "#",
      "FILLED CIRCLE ,",
      "FILLED CIRCLE (",
      "print \"\\",
      "\t print 1\t",
      "Rgb -",
      "Rgb 0x",
      "Rgb --1",
      "Rgb 1, 2, 3)",
      "Rgb (1, 2, 3) 4",
      "Rgb 99999999999999999999999",
      "SWAP 1e999",
      "Position 1, nan, inf, -inf",
      "Position 1, 1e39, -1e39, 0",
      "\xff\xfe",
      "GET FILE EXTENSION",
      "GET FILE EXTENSION \"a\", \"b\"",
      "screen 99999, 1",
      "frames -1",
      "frames 2000000000, 2000000000",
      "key 256, 1",
      "key -1, 1",
      "expect 1",
      "print",
      "camera nan, nan, nan",
      "screenshot \"\"",
      "load image 1, \"\"",
      "save image 5, \"x.png\"",
  };
  for (const char* line : lines) {
    Outcome outcome = run(std::string(line) + "\n");
    EXPECT_TRUE(outcome.status == 0 || outcome.err.rfind("test.ecs:1: ", 0) == 0) << line << ": " << outcome.err;
  }
}

TEST(RunnerErrors, SuggestsNearestNames) {
  EXPECT_EQ(run("ROTATE_GQ 1, 2\n").err,
            "test.ecs:1: unknown command \"ROTATE_GQ\"; did you mean \"ROTATE_GX\", \"ROTATE_GY\" or \"ROTATE_GZ\"?\n");
  EXPECT_EQ(run("zzzzzzzzzz\n").err, "test.ecs:1: unknown command \"zzzzzzzzzz\"\n");
}

TEST(RunnerErrors, OverloadsListEveryArgumentCount) {
  EXPECT_EQ(run("camera 1\n").err,
            "test.ecs:1: camera takes 3 arguments (float, float, float) or 6 arguments "
            "(float, float, float, float, float, float), 1 given\n");
}

TEST(RunnerErrors, MissingScriptFile) {
  std::ostringstream out, err;
  EXPECT_EQ(runner::run_file("/no/such/script.ecs", {}, out, err), 1);
  EXPECT_EQ(err.str(), "/no/such/script.ecs: cannot read the script\n");
}

// ---- the runner calls what a host would call

TEST(RunnerCalls, EveryRowResolvesByItsDecoratedName) {
  const exports::Command* rows = exports::commands();
  for (int i = 0; i < exports::command_count; ++i) {
    std::vector<const runner::Callee*> found = runner::find_callees(std::string(rows[i].parts.command));
    ASSERT_EQ(found.size(), 1u) << rows[i].parts.command;
    std::string_view letters = rows[i].parts.letters;
    if (rows[i].parts.has_result) letters.remove_prefix(1);
    EXPECT_EQ(found[0]->parameters, letters) << rows[i].parts.command;
  }
}

TEST(RunnerCalls, ResultsEqualDirectCalls) {
  using TextCommand = KText(char*, char*);
  auto extension = command<TextCommand>("?getfileextension@@YAKPAD0@Z");
  ASSERT_NE(extension, nullptr);
  run("");  // a fresh host with the record handed over
  char name[] = "photo.jpeg";
  KText direct = extension(nullptr, name);
  std::string expected = text_chars(direct);
  EXPECT_EQ(run("GET FILE EXTENSION \"photo.jpeg\"\n").out, "GET FILE EXTENSION = \"" + expected + "\"\n");

  using Colour = K(K, int);
  using Swap = K(float);
  using Bezier = K(float, float, float, float);
  using Distance = K(float, float, float, float, float, float, int);
  if (auto brighten = command<Colour>("?brightencolor@@YAKKH@Z")) {
    run("");
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", brighten(0xFFFA6400u, 10));
    EXPECT_EQ(run("BRIGHTEN COLOR 0xFFFA6400, 10\n").out, std::string("BRIGHTEN COLOR = ") + hex + "\n");
  }
  if (auto swap = command<Swap>("?swap@@YAKM@Z")) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", swap(2.5f));
    EXPECT_EQ(run("SWAP 2.5\n").out, std::string("SWAP = ") + hex + "\n");  // declared D: shown as a pattern
  }
  if (auto bezier = command<Bezier>("?bezierfunction@@YAKMMMM@Z")) {
    EXPECT_EQ(run("BEZIERFUNCTION 1, 2, 3, 0.75\n").out,
              "BEZIERFUNCTION = " + hostsim::format_float(as_float(bezier(1, 2, 3, 0.75f))) + "\n");
  }
  if (auto distance = command<Distance>("?get_distance@@YAKMMMMMMH@Z")) {
    EXPECT_EQ(run("GET DISTANCE 0, 0, 0, 3, 4, 12, 1\n").out,
              "GET DISTANCE = " + hostsim::format_float(as_float(distance(0, 0, 0, 3, 4, 12, 1))) + "\n");
  }
}

TEST(RunnerCalls, InkCommandsWriteTheRecordAsDirectCalls) {
  ASSERT_EQ(run("FRONT INK 0xFF123456\nBACK INK 0xFF654321\n").status, 0);
  EXPECT_EQ(hostsim::record_ink(true), 0xFF123456u);
  EXPECT_EQ(hostsim::record_ink(false), 0xFF654321u);
}

TEST(RunnerCalls, TraceShowsTheHostCalls) {
  runner::Options options;
  options.trace = true;
  std::ostringstream out, err;
  ASSERT_EQ(runner::run_source("MakePlane 7, 1, 2\n", "t.ecs", ".", options, out, err), 0);
  EXPECT_EQ(out.str(), "  | Basic3D.MakePlane(7,1,2)\n");
}

// ---- missing resources

// A host call on a resource that does not exist is a warning on its line,
// once however often the line runs; the host does and logs what it did.
TEST(RunnerMissing, WarnsWithTheLineAndTheHostFunction) {
  Outcome outcome =
      run("MakeCube 10, 1\n"
          "Position 1, 0, 0, 5\n"
          "ImageLock 3\n"
          "repeat 2\n"
          "  ReadMemblockByte 7, 0\n"
          "end repeat\n"
          "LockVertexDataForLimbCore 10, 2, 0\n"
          "print \"after\"\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out,
            "line 2: Position: object 1 does not exist\n"
            "line 3: ImageLock: image 3 does not exist\n"
            "line 5: ReadMemblockByte: memblock 7 does not exist\n"
            "ReadMemblockByte = 0\n"
            "ReadMemblockByte = 0\n"
            "line 7: LockVertexDataForLimbCore: limb 2 of object 10 does not exist\n"
            "after\n");
  EXPECT_EQ(hostsim::log(),
            (std::vector<std::string>{"Basic3D.MakeCube(10,1)", "Basic3D.Position(1,0,0,5)", "Image.Lock(3)",
                                      "Memblocks.ReadMemblockByte(7,0)", "Memblocks.ReadMemblockByte(7,0)",
                                      "Basic3D.LockVertexDataForLimbCore(10,2,0)"}));
  EXPECT_EQ(hostsim::scene.objects.size(), 1u);
  EXPECT_EQ(hostsim::storage.refused, 2);
}

// Making, deleting and asking after a resource say nothing: commands do so
// on free and scratch numbers on purpose (the pyramid searches free numbers
// and deletes its scratch object, mesh, image and bitmap; the fade deletes
// the free number it is about to make its plane with).
TEST(RunnerMissing, DeletingAndAskingSayNothing) {
  Outcome outcome =
      run("DeleteEx 5\nDeleteMesh 5\nImageDeleteEx 5\nDeleteMemblock 5\nDeleteBitmapEx 5\nCloseFile 5\n"
          "$a = GetExist 5\n$b = GetMeshExist 5\n$c = ImageGetExistEx 5\n"
          "CREATE OBJECT PYRAMID 1, 10, 3, 1\n"
          "FADE SCREEN 900, 0\n");
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "$a = 0\n$b = 0\n$c = 0\n");
  EXPECT_EQ(hostsim::scene.objects.size(), 2u);  // the pyramid and the fade's plane
}

TEST(RunnerMissing, StrictStopsAtTheLine) {
  Outcome outcome =
      run("Position 1, 0, 0, 0\n"
          "strict\n"
          "MakeCube 1, 1\n"
          "Position 1, 0, 0, 0\n"
          "ROTATE_GZ 2, 10\n"
          "print \"after\"\n");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "line 1: Position: object 1 does not exist\n");
  EXPECT_EQ(outcome.err, "test.ecs:5: GetZRotationEx: object 2 does not exist\n");
}

// ---- screenshots

TEST(RunnerScreenshot, DrawsTheSceneAsAWireframeThroughTheCamera) {
  run("screen 100, 100\n");
  // A triangle straddling the view axis 10 units ahead, and one behind the camera.
  hostsim::Mesh mesh{{{-2, -2, 0}, {2, -2, 0}, {0, 2, 0}}};
  hostsim::make_object(1, "mesh", mesh).position = {0, 0, 10};
  hostsim::make_object(2, "mesh", mesh).position = {0, 0, -10};
  hostsim::scene.objects[1].colour = 0xFF00FF00u;
  std::vector<std::uint32_t> pixels = hostsim::render_scene(hostsim::Look::wireframe);
  // 60-degree view: focal length 50 / tan 30 = 86.6; y = -2 at z = 10 lands on row 50 + 17.3.
  auto at = [&](int x, int y) { return pixels[std::size_t(y) * 100 + std::size_t(x)]; };
  EXPECT_EQ(at(50, 67), 0xFF00FF00u);  // the base edge
  EXPECT_EQ(at(50, 50), 0xFF000000u);  // inside the triangle: only edges are drawn
  int lit = 0;
  for (std::uint32_t pixel : pixels) lit += pixel != 0xFF000000u;
  EXPECT_GT(lit, 40);
  EXPECT_LT(lit, 200);  // the object behind the camera adds nothing

  // Turning the camera half round shows the other one instead.
  hostsim::scene.cameras[0].angles = {0, 180, 0};
  hostsim::scene.objects[2].colour = 0xFFFF0000u;
  pixels = hostsim::render_scene(hostsim::Look::wireframe);
  EXPECT_EQ(at(50, 67), 0xFFFF0000u);

  // Far, huge and undefined coordinates draw what they can and no more.
  hostsim::scene.objects[1].position = {3e38f, -3e38f, 1e-30f};
  hostsim::scene.objects[2].scale = {1e30f, 1e30f, 1e30f};
  hostsim::render_scene(hostsim::Look::wireframe);
  hostsim::scene.cameras[0].position = {NAN, 0, INFINITY};
  hostsim::render_scene(hostsim::Look::wireframe);
}

TEST(RunnerScreenshot, WritesAPng) {
  std::string dir = testing::TempDir() + "runner_shot";
  ASSERT_EQ(run("screen 40, 30\nscreenshot \"shots/a.png\"\n", dir).status, 0);
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(hostsim::load_png(dir + "/shots/a.png", width, height, pixels));
  EXPECT_EQ(width, 40);
  EXPECT_EQ(height, 30);
}

// ---- the reference

TEST(RunnerReference, EveryCommandHasItsEntry) {
  EXPECT_EQ(runner::missing_descriptions(), "");
  EXPECT_EQ(runner::descriptions().size(), std::size_t(exports::command_count));
  const exports::Command* rows = exports::commands();
  for (int i = 0; i < exports::command_count; ++i) {
    const runner::Description* description = runner::find_description(rows[i].parts.command);
    if (!description) continue;
    SCOPED_TRACE(std::string(rows[i].parts.command));
    std::string_view letters = rows[i].parts.letters;
    if (rows[i].parts.has_result) letters.remove_prefix(1);
    EXPECT_EQ(description->parameters.size(), letters.size());
    EXPECT_EQ(description->result.empty(), !rows[i].parts.has_result);
    bool family_known = false;
    for (const runner::Family& family : runner::families())
      family_known = family_known || family.id == description->family;
    EXPECT_TRUE(family_known);
    // The example is a runner line that calls this command with all its arguments.
    runner::Line line;
    ASSERT_TRUE(runner::split_line(std::string(description->example), line));
    std::size_t words = runner::match_words(line.words);
    EXPECT_EQ(runner::join_words(line.words, words), rows[i].parts.command);
    std::string rest = line.rest;
    for (std::size_t w = line.words.size(); w > words; --w) rest = line.words[w - 1] + " " + rest;
    EXPECT_EQ(runner::parse_arguments(rest).size(), letters.size());
    EXPECT_EQ(line.variable.empty(), !rows[i].parts.has_result);
  }
}

// Every entry shows its command's picture, made by a script of its own.
TEST(RunnerReference, EveryEntryShowsItsOwnPicture) {
  std::ostringstream reference;
  runner::write_reference(reference);
  const exports::Command* rows = exports::commands();
  for (int i = 0; i < exports::command_count; ++i) {
    std::string_view name = rows[i].parts.command;
    SCOPED_TRACE(std::string(name));
    std::string picture = runner::command_picture(name), stem = runner::command_stem(name);
    EXPECT_NE(reference.str().find("](images/" + picture + ")"), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(EC_SOURCE_DIR) / "docs" / "images" / picture));
    std::string script = read_file(fs::path(EC_SOURCE_DIR) / "examples" / "commands" / (stem + ".ecs"));
    EXPECT_NE(script.find("\"" + fs::path(picture).filename().string() + "\""), std::string::npos);
  }
}

// Whether a command's description (what it does, its side effects, its
// parameters) says `words` ending in a number: "mesh 5000", not "mesh 50000".
bool description_says(std::string_view command, const std::string& words) {
  const runner::Description* description = runner::find_description(command);
  if (!description) return false;
  std::string text = std::string(description->does) + " " + std::string(description->side_effects);
  for (const runner::Parameter& parameter : description->parameters) text += " " + std::string(parameter.meaning);
  for (std::size_t at = text.find(words); at != std::string::npos; at = text.find(words, at + 1)) {
    std::size_t after = at + words.size();
    if (after == text.size() || !std::isdigit(static_cast<unsigned char>(text[after]))) return true;
  }
  return false;
}

// The resource numbers and sizes the descriptions quote are those the
// commands use.
TEST(RunnerReference, DescriptionsQuoteTheCommandsOwnNumbers) {
  auto n = [](int value) { return std::to_string(value); };
  EXPECT_TRUE(description_says("CREATE OBJECT DISH", "mesh " + n(scratch::dish_mesh)));
  EXPECT_TRUE(description_says("CREATE OBJECT CAPSULE", "mesh " + n(scratch::capsule_mesh)));
  EXPECT_TRUE(description_says("SINGLE PIXEL IMAGE", "memblock " + n(scratch::texture_block)));
  EXPECT_TRUE(description_says("COLOR OBJECT WITH TEXTURE", "memblock " + n(scratch::texture_block)));
  EXPECT_TRUE(description_says("MAKE NORMAL MAP",
                               "memblocks " + n(scratch::normal_map_source) + " and " + n(scratch::normal_map_result)));
  EXPECT_TRUE(description_says("SAVESOUND", "memblock " + n(scratch::sound_block)));
  EXPECT_TRUE(description_says("SAVESOUND", "file " + n(scratch::sound_file)));
  EXPECT_TRUE(description_says("LINE3D", "Object " + n(scratch::line_object)));
  EXPECT_TRUE(description_says("LOADING BAR", n(draw2d::loading_bar_width) + " x " + n(draw2d::loading_bar_height)));
  EXPECT_TRUE(description_says("SINGLE KEYCHECK", "0 to " + n(input::key_count - 1)));
}

// The document's table of directives is the runner's list, row for row.
TEST(RunnerReference, TheDocumentListsEveryDirective) {
  std::string document = read_file(fs::path(EC_SOURCE_DIR) / "docs" / "runner.md");
  std::string table = runner::directive_table();
  EXPECT_NE(document.find("\n" + table + "\n"), std::string::npos) << "docs/runner.md's table should read:\n" << table;
}

TEST(RunnerReference, TheCommittedReferenceIsUpToDate) {
  std::ostringstream generated;
  runner::write_reference(generated);
  EXPECT_EQ(read_file(fs::path(EC_SOURCE_DIR) / "docs" / "commands.md"), generated.str())
      << "regenerate it: sh scripts/docs.sh";
}

}  // namespace

namespace {

// Every family has its example script, and one with a picture writes it
// under the family's name, where the reference expects it.
TEST(RunnerReference, EveryFamilyHasItsExample) {
  for (const runner::Family& family : runner::families()) {
    SCOPED_TRACE(std::string(family.id));
    fs::path script = fs::path(EC_SOURCE_DIR) / "examples" / (std::string(family.id) + ".ecs");
    ASSERT_TRUE(fs::exists(script));
    std::string text = read_file(script);
    std::string picture = "\"" + std::string(family.id) + ".png\"";
    EXPECT_EQ(text.find(picture) != std::string::npos, family.has_picture);
  }
}

// Every line of every example names something callable with a fitting
// argument count, whether or not its command is built yet.
TEST(RunnerReference, ExamplesCallKnownNamesWithFittingArguments) {
  for (const auto& entry : fs::directory_iterator(fs::path(EC_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".ecs") continue;
    std::istringstream lines(read_file(entry.path()));
    std::string text;
    for (int number = 1; std::getline(lines, text); ++number) {
      SCOPED_TRACE(entry.path().filename().string() + ":" + std::to_string(number));
      runner::Line line;
      if (!runner::split_line(text, line) || line.words.empty()) continue;  // blank, or $name = VALUE
      std::size_t words = runner::match_words(line.words);
      ASSERT_GT(words, 0u) << text;
      std::string rest = line.rest;
      for (std::size_t w = line.words.size(); w > words; --w) rest = line.words[w - 1] + " " + rest;
      std::size_t count = runner::parse_arguments(rest).size();
      bool fits = false;
      for (const runner::Callee* callee : runner::find_callees(runner::join_words(line.words, words)))
        fits = fits || callee->parameters == "*" || callee->parameters.size() == count;
      EXPECT_TRUE(fits) << text;
    }
  }
}

}  // namespace
