// Instruction counts, not times: one warm call of each of the 66 commands,
// on fixed arguments against a quiet stand-in host (call log off), each
// counted call one callgrind dump named after the command's row;
// bench/count_table.py reads the dumps.
//
// Run under valgrind by scripts/count.sh; outside valgrind it just runs the
// calls.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "../hostsim/basic2d_state.h"
#include "../hostsim/hostsim.h"
#include "../hostsim/input_state.h"
#include "../hostsim/matrix_state.h"
#include "../hostsim/memblocks_state.h"
#include "../hostsim/sound_state.h"
#include "../plugin/commands.h"
#include "../plugin/exports.h"
#include "../plugin/host.h"
#include "../plugin/platform_native.h"

namespace {

constexpr int image_side = 64;       // MAKE NORMAL MAP works on a 64 x 64 image
constexpr int sound_samples = 1000;  // SAVESOUND writes a second-long 1 kHz sound

std::string sound_file = "count-sound.wav";
char picture[] = "picture.bmp";
char archive[] = "archive.tar.gz";
char typed[] = "Typing it out...";
char outlined[] = "Outlined text";
char caption[] = "Loading";

// The same scene before every call: objects 1..5 and 11, a sphere 6, an
// image, a sound, a terrain grid, a key held, the mouse pressed and moved.
void set_scene() {
  hostsim::reset();
  platform::native::clear_sleeps();  // keeps its room: recording a fade's sleeps allocates nothing
  ReceiveCoreDataPtr(hostsim::core_record());
  for (int object : {1, 2, 3, 4, 5, 11}) H.MakeCube(object, 2);
  H.Position(1, -4, 0, 10);
  H.Position(2, 4, 0, 10);
  H.Position(11, 8, -10, 0);
  H.MakeSphere(6, 4, 12, 12);
  hostsim::Image image;
  image.width = image.height = image_side;
  for (int i = 0; i < image_side * image_side; ++i) image.pixels.push_back(0xFF000000u | K(i * 37 % 256));
  hostsim::storage.images[1] = image;
  hostsim::Sound sound;
  sound.samples.assign(sound_samples, 0x80);
  hostsim::sound_state.sounds[1] = sound;
  hostsim::make_matrix(1, 8, 8);
  hostsim::input_state.keys[32] = 1;
  hostsim::input_state.mouse_x = 70, hostsim::input_state.mouse_y = 205;
  hostsim::input_state.mouse_click = 1;
  hostsim::input_state.mouse_move_x = 70, hostsim::input_state.mouse_move_y = -35;
}

struct Case {
  const void* command;
  void (*call)();
};

#define CASE(function, ...)                                                     \
  {                                                                             \
    reinterpret_cast<const void*>(&::function), [] { ::function(__VA_ARGS__); } \
  }

const Case cases[] = {
    CASE(checkobjectcollisionarea, 1, 2, 9.0f),
    CASE(rndminmax, 1, 6),
    CASE(singlekeycheck, 32),
    CASE(mousedoubleclick, 1),
    CASE(singlepixelimage, 3, 255, 128, 0),
    CASE(fixobjectscale, 6, 150, 100, 150),
    CASE(makeobjectdish, 7, 10, 60, 90),
    CASE(colorobjectwithtexture, 1, 2, 0, 200, 255),
    CASE(makehealthbar, 20, 90, 220, 106, 60, 100, 0xFF00C000u, 0xFFC0C000u, 0xFFC06000u, 0xFFC00000u),
    CASE(pointtowardsobject, 1, 2, 1),
    CASE(getshortfilename, nullptr, picture),
    CASE(createobjectpyramid, 8, 10, 4, 0),
    CASE(brightencolor, 0xFFC87828u, 60),
    CASE(coloropposite, 0xFFC87828u),
    CASE(greyscalecolor, 0xFFC87828u),
    CASE(fadescreen, 900, 0),
    CASE(defadescreen, 900, 0),
    CASE(flashscreen, 900, 5),
    CASE(gui_slider, 20, 200, 200, 0.8f),
    CASE(filledcircle, 320, 240, 50, 50, 0xFFFF4040u),
    CASE(drawbutton, 20, 20, 180, 70, 4, 0xFF5070C0, 0xFF5070C0, 0xFF203060, 0xFF203060),
    CASE(hollowrect, 40, 40, 280, 200),
    CASE(drawdust, 160, 350, 90, 1500, 0xFFC0C0C0u),
    CASE(drawgalaxy, 470, 240, 600, 500, 3, 30, 1000, 25, 40, 0xFF3050C0u),
    CASE(frontink, 0xFFFF8000u),
    CASE(get_distance, 0, 0, 0, 3, 4, 12, 1),
    CASE(backink, 0xFF000040u),
    CASE(typewritertext, typed, 20, 115, 4, 0),
    CASE(rotate_gx, 1, 30),
    CASE(smooth_matrix, 1, 8, 2),
    CASE(normalize_matrix, 1, 8),
    CASE(randomize_matrix, 1, 8, 0, 50),
    CASE(lod_distance, 1, 0),
    CASE(getfileextension, nullptr, archive),
    CASE(rotate_gy, 1, 30),
    CASE(text_outline, 20, 20, outlined),
    CASE(text_shadow, 20, 50, outlined),
    CASE(text_underline, 20, 80, outlined),
    CASE(rotate_gz, 1, 30),
    CASE(rotate_axis, 1, 1, 1, 0, 45),
    CASE(rotate_lx, 1, 30),
    CASE(rotate_ly, 1, 30),
    CASE(rotate_lz, 1, 30),
    CASE(createobjectcapsule, 9, 12, 4),
    CASE(anglebetweenpoints, 0, 0, 0, 1, 0, 0, 0, 1, 0),
    CASE(align_axes, 3, 0, 0, 1, 1, 1, 0),
    CASE(smooth_align_axes, 3, 0, 0, 1, 1, 1, 0, 5),
    CASE(angle_axes, 4, 0, 0, 1, 0, 1, 0, 45, 0),
    CASE(smooth_angle_axes, 4, 0, 0, 1, 0, 1, 0, 45, 0, 5),
    CASE(axis_angle_x, 2, 0, 1, 0),
    CASE(axis_angle_y, 2, 0, 1, 0),
    CASE(axis_angle_z, 2, 0, 1, 0),
    CASE(line3d, -4, 0, 10, 4, 0, 10),
    CASE(orbit, 11, 0, -10, 0, 0, 0, 1, 45),
    CASE(drawbezier, 40, 420, 120, 60, 600, 420, 480, 60, 64),
    CASE(bezierfunction, -520, 840, 240, 0.5f),
    CASE(drawbezierinfo, 40, 420, 120, 60, 600, 420, 480, 60),
    CASE(savesound, 1, sound_file.data()),
    CASE(lockimage, 1),
    CASE(unlockimage, 1),
    CASE(writeimage, 1, 2, 3, 255, 128, 0, 255),
    CASE(swap, 2.5f),
    CASE(endsound, 1),
    CASE(mousemove, 5, 0, 80, 80),
    CASE(loadingbar, 50, 40, 200, 40, caption, 255, 255, 255, 0, 160, 255),
    CASE(makenormalmap, 1, 2, 1),
};
static_assert(sizeof cases / sizeof *cases == exports::command_count);

// The command's name as its row spells it: the text before '%' or '['.
std::string command_name(const void* command) {
  for (int i = 0; i < exports::command_count; ++i) {
    const exports::Command& row = exports::commands()[i];
    if (row.address == command) return std::string(row.row.substr(0, row.row.find_first_of("%[")));
  }
  return "?";
}

// The counted call: callgrind collects only inside this function
// (--toggle-collect), bench/count_plugin.c from its first instruction to its
// return.  Callgrind's call counts come from a second run that collects
// throughout and is zeroed before each call (with --toggle-collect it keeps
// counting calls outside the function).
extern "C" __attribute__((noinline)) void ec_counted_call(void (*call)()) {
  call();
  asm volatile("" ::: "memory");  // a call and a return, not a tail jump
}

void measure(const std::string& name, void (*call)()) {
  std::printf("counted %s\n", name.c_str());
  std::fflush(stdout);
  CALLGRIND_ZERO_STATS;
  ec_counted_call(call);
  CALLGRIND_DUMP_STATS_AT(name.c_str());
}

// Binding, warm: a second binding of the whole table.
void count_binding() {
  set_scene();
  host::bound = false;
  host::ensure_bound();
  host::bound = false;
  measure("(binding)", [] { host::ensure_bound(); });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) sound_file = std::string(argv[1]) + "/count-sound.wav";
  hostsim::load_modules();
  hostsim::set_logging(false);
  host::ensure_bound();  // the scenes are set up through the table
  count_binding();
  for (const Case& c : cases) {
    std::string name = command_name(c.command);
    set_scene();
    c.call();  // warm: the same call once before the counted one
    set_scene();
    measure(name, c.call);
  }
  return 0;
}
