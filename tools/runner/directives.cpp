#include "directives.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "../../hostsim/basic2d_state.h"
#include "../../hostsim/basic3d_state.h"
#include "../../hostsim/bitmap_state.h"
#include "../../hostsim/core_state.h"
#include "../../hostsim/impl.h"
#include "../../hostsim/input_state.h"
#include "../../hostsim/matrix_state.h"
#include "../../hostsim/memblocks_state.h"
#include "../../hostsim/png_io.h"
#include "../../hostsim/sound_state.h"
#include "marshal.h"
#include "pictures.h"
#include "session.h"

namespace runner {
namespace {

constexpr int default_frame_ms = 16;

void screen(int width, int height) {
  if (!hostsim::acceptable_side(width) || !hostsim::acceptable_side(height))
    throw ScriptError("the screen must be 1 to " + std::to_string(hostsim::largest_surface_side) +
                      " pixels on each side");
  hostsim::set_screen_size(width, height);
}

void load_image(int number, char* file) {
  hostsim::Image image;
  std::string path = input_path(file);
  if (!hostsim::load_png(path, image.width, image.height, image.pixels))
    throw ScriptError("cannot load the PNG image " + quote(path));
  hostsim::storage.images[number] = std::move(image);
}

void save_image(int number, char* file) {
  auto found = hostsim::storage.images.find(number);
  if (found == hostsim::storage.images.end()) throw ScriptError("image " + std::to_string(number) + " does not exist");
  const hostsim::Image& image = found->second;
  if (image.width < 1 || image.height < 1)
    throw ScriptError("image " + std::to_string(number) + " is empty (" + std::to_string(image.width) + " x " +
                      std::to_string(image.height) + ")");
  std::string path = output_path(file);
  if (!hostsim::save_png(path, image.width, image.height, image.pixels))
    throw ScriptError("cannot write " + quote(path));
  *session().out << "wrote " << path << '\n';
}

void screenshot_as(char* file, char* look) {
  std::string name = look;
  if (name != "solid" && name != "wireframe")
    throw ScriptError("a screenshot is \"solid\" or \"wireframe\", not " + quote(name));
  std::string path = output_path(file);
  if (!write_screenshot(path, name == "wireframe" ? hostsim::Look::wireframe : hostsim::Look::solid))
    throw ScriptError("cannot write " + quote(path));
  *session().out << "wrote " << path << '\n';
}

void screenshot(char* file) { screenshot_as(file, const_cast<char*>("solid")); }

void record_timed(char* file, int step, int limit, int frame_ms) {
  start_recording(output_path(file), step, limit, frame_ms);
}
void record_stepped(char* file, int step, int limit) { record_timed(file, step, limit, default_record_frame_ms); }
void record(char* file) { record_stepped(file, default_record_step, default_record_limit); }
void record_end() { *session().out << "wrote " << finish_recording() << '\n'; }

void zoom(int factor) {
  if (factor < 1 || factor > largest_zoom)
    throw ScriptError("pictures are zoomed 1 to " + std::to_string(largest_zoom) + " times");
  session().pictures.zoom = factor;
}

void pointer(int shown) { session().pictures.pointer = shown != 0; }

// Draws image N on the screen with its top-left corner at (x, y), each pixel
// a scale x scale block.
void paste_scaled(int number, int x, int y, int scale) {
  auto found = hostsim::storage.images.find(number);
  if (found == hostsim::storage.images.end()) throw ScriptError("image " + std::to_string(number) + " does not exist");
  if (scale < 1 || scale > largest_zoom)
    throw ScriptError("images are pasted 1 to " + std::to_string(largest_zoom) + " times their size");
  const hostsim::Image& image = found->second;
  for (long long row = 0; row < image.height; ++row)
    for (long long column = 0; column < image.width; ++column) {
      std::uint32_t colour = image.pixels[std::size_t(row * image.width + column)];
      for (long long dy = 0; dy < scale; ++dy)
        for (long long dx = 0; dx < scale; ++dx)
          hostsim::put_pixel(x + column * scale + dx, y + row * scale + dy, colour);
    }
}

void paste(int number, int x, int y) { paste_scaled(number, x, y, 1); }

K core_ink(int foreground) { return hostsim::record_ink(foreground != 0); }

// The samples of the first channel, from -1 to 1.
std::vector<double> first_channel(const hostsim::Sound& sound) {
  if (sound.bits_per_sample != 8 && sound.bits_per_sample != 16)
    throw ScriptError("a waveform is drawn for 8-bit and 16-bit sounds, not " + std::to_string(sound.bits_per_sample) +
                      "-bit");
  std::size_t bytes = std::size_t(sound.bits_per_sample / 8), stride = bytes * std::size_t(std::max(sound.channels, 1));
  std::vector<double> samples;
  for (std::size_t at = 0; at + bytes <= sound.samples.size(); at += stride) {
    if (bytes == 1)
      samples.push_back((sound.samples[at] - 128) / 128.0);
    else
      samples.push_back(std::int16_t(sound.samples[at] | sound.samples[at + 1] << 8) / 32768.0);
  }
  return samples;
}

// The samples as a line across the box, in the current ink, zero across its
// middle and full scale at its edges.
void waveform(int number, int left, int top, int width, int height) {
  auto found = hostsim::sound_state.sounds.find(number);
  if (found == hostsim::sound_state.sounds.end())
    throw ScriptError("sound " + std::to_string(number) + " does not exist");
  if (width < 2 || height < 1) throw ScriptError("the waveform's box must be at least 2 x 1");
  std::vector<double> samples = first_channel(found->second);
  double middle = top + (height - 1) / 2.0, half = (height - 1) / 2.0;
  double across = samples.size() > 1 ? double(width - 1) / double(samples.size() - 1) : 0;
  for (std::size_t i = 1; i < samples.size(); ++i)
    hostsim::impl::Basic2D_Line(
        int(std::lround(left + across * double(i - 1))), int(std::lround(middle - samples[i - 1] * half)),
        int(std::lround(left + across * double(i))), int(std::lround(middle - samples[i] * half)));
}

void load_sound(int number, char* file) {
  std::string path = input_path(file);
  if (!hostsim::load_sound(number, path)) throw ScriptError("cannot load the WAV sound " + quote(path));
}

void matrix(int number, int tiles_x, int tiles_z) {
  constexpr int most_tiles = 1024;
  if (tiles_x < 1 || tiles_z < 1 || tiles_x > most_tiles || tiles_z > most_tiles)
    throw ScriptError("a matrix has 1 to " + std::to_string(most_tiles) + " tiles each way");
  hostsim::make_matrix(number, tiles_x, tiles_z);
}

hostsim::Camera& current_camera() { return hostsim::scene.cameras[hostsim::scene.current_camera]; }

void camera(float x, float y, float z) { current_camera().position = {x, y, z}; }

void camera_turned(float x, float y, float z, float ax, float ay, float az) {
  camera(x, y, z);
  current_camera().angles = {ax, ay, az};
}

// Makes camera N (placed at the origin when new) the current one.
void use_camera(int number) {
  hostsim::scene.cameras[number];
  hostsim::scene.current_camera = number;
}

void mouse(int x, int y) {
  hostsim::input_state.mouse_x = x;
  hostsim::input_state.mouse_y = y;
}

void mouse_buttons(int x, int y, int buttons) {
  mouse(x, y);
  hostsim::input_state.mouse_click = buttons;
}

void mouse_move(int dx, int dy) {
  hostsim::input_state.mouse_move_x = dx;
  hostsim::input_state.mouse_move_y = dy;
}

void key(int code, int state) {
  auto& keys = hostsim::input_state.keys;
  if (code < 0 || code >= static_cast<int>(keys.size()))
    throw ScriptError("key codes run from 0 to " + std::to_string(keys.size() - 1));
  keys[static_cast<std::size_t>(code)] = state;
}

void timer(int milliseconds) { hostsim::core_state.timer = milliseconds; }

void frames_timed(int count, int milliseconds) {
  if (count < 0) throw ScriptError("the frame count must not be negative");
  hostsim::core_state.frames = wrap_add(hostsim::core_state.frames, count);
  hostsim::core_state.timer = wrap_add(hostsim::core_state.timer, wrap_mul(count, milliseconds));
  for (int i = 0; i < count && !recording_full(); ++i) record_presented_frame();
}

void frames(int count) { frames_timed(count, default_frame_ms); }

// The lines after "loop" run again each time the script reaches its end.
void start_loop(int passes) {
  Session& current = session();
  if (current.loop_line != 0) throw ScriptError("a script has one loop, at line " + std::to_string(current.loop_line));
  current.loop_line = current.line;
  current.loop_passes = passes;
}

void loop_endless() { start_loop(0); }

void loop_times(int passes) {
  if (passes < 1) throw ScriptError("a loop runs at least once");
  start_loop(passes);
}

// From here on a host call on a resource that does not exist stops the script.
void strict() { session().strict = true; }

std::string joined(std::vector<Argument>::const_iterator first, std::vector<Argument>::const_iterator last) {
  std::string line;
  for (auto argument = first; argument != last; ++argument) line += (line.empty() ? "" : " ") + argument->text;
  return line;
}

Value print(const std::vector<Argument>& arguments) {
  *session().out << joined(arguments.begin(), arguments.end()) << '\n';
  return {};
}

// A float as briefly as it reads back the same: 0.449999988 as 0.45.
std::string brief(const Argument& argument) {
  const std::string& text = argument.text;
  if (argument.quoted || text.find_first_of(".eE") == std::string::npos || written_in_hex(text)) return text;
  char* end = nullptr;
  float value = std::strtof(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return text;
  for (int digits = 1; digits < 9; ++digits) {
    char shorter[32];
    std::snprintf(shorter, sizeof shorter, "%.*g", digits, double(value));
    if (std::strtof(shorter, nullptr) == value) return shorter;
  }
  return text;
}

// Draws the values one after the other, with the host's font in the current
// ink; floats as briefly as they read back the same.
Value caption(const std::vector<Argument>& arguments) {
  if (arguments.size() < 3) throw ScriptError("caption takes X, Y and one value or more");
  TextBuffers texts;
  int x = convert<int>(arguments[0], 1, texts), y = convert<int>(arguments[1], 2, texts);
  std::string text;
  for (auto argument = arguments.begin() + 2; argument != arguments.end(); ++argument) text += brief(*argument);
  hostsim::impl::Text_BasicText(x, y, as_ktext(text.c_str()));
  return {};
}

bool is_integer(const Argument& argument) {
  try {
    parse_integer(argument, 1, INT32_MIN, INT32_MAX);
    return true;
  } catch (const ScriptError&) {
    return false;
  }
}

// A op B for op +, -, * or /: an integer when both are integers and so is
// the result, else a float.
Value calc(const std::vector<Argument>& arguments) {
  const std::string& op = arguments[1].text;
  double a = parse_float(arguments[0], 1), b = parse_float(arguments[2], 3), result = 0;
  if (op == "+")
    result = a + b;
  else if (op == "-")
    result = a - b;
  else if (op == "*")
    result = a * b;
  else if (op == "/")
    result = a / b;
  else
    throw ScriptError("the operation is \"+\", \"-\", \"*\" or \"/\", not " + quote(op));
  bool whole = is_integer(arguments[0]) && is_integer(arguments[2]) && result == std::floor(result) &&
               result >= INT32_MIN && result <= INT32_MAX;
  return whole ? integer_value(int(result)) : float_value(f32(result));
}

// The number rounded down to an integer.
int whole(float value) { return trunc_int(std::floor(double(value))); }

// Stands for repeat and end repeat, which the runner runs itself.
Value loop_marker(const std::vector<Argument>&) { throw ScriptError("repeat and end repeat go in pairs"); }

// Numbers compare by value (0x10 equals 16, 1.50 equals 1.5), texts exactly.
bool same_value(const Argument& a, const Argument& b) {
  if (a.quoted || b.quoted) return a.quoted == b.quoted && a.text == b.text;
  auto number = [](const std::string& text, double& value) {
    char* end = nullptr;
    value = written_in_hex(text) ? static_cast<double>(std::strtoll(text.c_str(), &end, 16))
                                 : std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size();
  };
  double x = 0, y = 0;
  if (number(a.text, x) && number(b.text, y)) return x == y || (x != x && y != y);
  return a.text == b.text;
}

Value expect(const std::vector<Argument>& arguments) {
  const Argument &actual = arguments[0], &wanted = arguments[1];
  if (!same_value(actual, wanted)) {
    auto shown = [](const Argument& a) { return a.quoted ? quote(a.text) : a.text; };
    throw ScriptError("expected " + shown(wanted) + ", got " + shown(actual));
  }
  return {};
}

// One way of writing a directive: its arguments as the documentation names
// them, and what runs.
struct Form {
  std::string arguments;  // "W, H"; empty for none
  std::string letters;    // type letters, as a callee has them
  char result;
  std::function<Value(const std::vector<Argument>&)> run;
};

template <class F>
Form form(std::string arguments, F* function, char result = 0) {
  void* address = reinterpret_cast<void*>(function);
  return {std::move(arguments), Marshal<F>::letters(0), result, [address, result](const std::vector<Argument>& values) {
            return Marshal<F>::call(address, 0, result, values);
          }};
}

struct Directive {
  std::string name;
  std::vector<Form> forms;
  std::string does;  // as docs/runner.md says it
};

// Every directive, in the order of docs/runner.md's table.
// clang-format off
const std::vector<Directive>& directives() {
  static const std::vector<Directive> list = {
      {"screen", {form("W, H", &screen)}, "resizes (and clears) the 2D screen"},
      {"load image", {form("N, \"file.png\"", &load_image)}, "loads a PNG file as image N"},
      {"save image", {form("N, \"file.png\"", &save_image)}, "writes image N as a PNG file"},
      {"load sound", {form("N, \"file.wav\"", &load_sound)}, "loads a PCM WAV file as sound N"},
      {"matrix", {form("N, TILES_X, TILES_Z", &matrix)}, "makes a flat terrain grid N"},
      {"screenshot", {form("\"file.png\"", &screenshot), form("\"file.png\", \"wireframe\"", &screenshot_as)},
       "writes the screen with the 3D scene drawn over it, solid (the default) or as a wireframe"},
      {"record", {form("\"file.gif\"", &record), form("\"file.gif\", STEP, LIMIT", &record_stepped),
                  form("\"file.gif\", STEP, LIMIT, MS", &record_timed)},
       "records the frames presented from here on (below)"},
      {"record end", {form("", &record_end)}, "ends the recording and writes the animation"},
      {"zoom", {form("N", &zoom)},
       "writes screenshots and recordings N times their size (1 to " + std::to_string(largest_zoom) + "), each pixel repeated"},
      {"pointer", {form("ON", &pointer)},
       "shows the mouse pointer in screenshots and recordings (1) or not (0); it turns amber while a button is held"},
      {"caption", {{"X, Y, VALUE, ...", "*", 0, caption}},
       "draws the values one after the other with the host's font in the current ink (floats as briefly as they read back the same)"},
      {"paste image", {form("N, X, Y", &paste), form("N, X, Y, SCALE", &paste_scaled)},
       "draws image N on the screen, each pixel SCALE x SCALE"},
      {"waveform", {form("N, X, Y, W, H", &waveform)},
       "draws sound N's first channel as a line across the box, in the current ink"},
      {"use camera", {form("N", &use_camera)},
       "makes camera N the current one (the `camera` directive and the pictures use it)"},
      {"core ink", {form("FOREGROUND", &core_ink, 'D')},
       "the foreground (FOREGROUND 1) or background (0) ink field of the host's core data record"},
      {"calc", {{"A, \"+\", B", "???", 'F', calc}},
       "A + B, and likewise `\"-\"`, `\"*\"`, `\"/\"`: an integer when both are integers and so is the result, else a float"},
      {"whole", {form("X", &whole, 'L')}, "X rounded down to an integer"},
      {"camera", {form("X, Y, Z", &camera), form("X, Y, Z, AX, AY, AZ", &camera_turned)},
       "places (and turns) the current camera"},
      {"mouse", {form("X, Y", &mouse), form("X, Y, BUTTONS", &mouse_buttons)}, "the mouse position and button state"},
      {"mouse move", {form("DX, DY", &mouse_move)}, "the mouse movement the host reports next"},
      {"key", {form("CODE, STATE", &key)}, "a key's state (1 down, 0 up)"},
      {"timer", {form("MS", &timer)}, "sets the host timer"},
      {"frames", {form("N", &frames), form("N, MS", &frames_timed)},
       "presents N frames, the timer advancing MS (" + std::to_string(default_frame_ms) + ") each"},
      {"loop", {form("", &loop_endless), form("N", &loop_times)},
       "the lines after it run again each time the script reaches its end: N times in all, or without a count until "
       "the playground's Stop (`ec_runner` runs them once); one loop a script, outside repeat blocks"},
      {"strict", {form("", &strict)},
       "from here on, a host call on a resource that does not exist stops the script instead of warning"},
      {"print", {{"VALUE, ...", "*", 0, print}}, "prints numbers, texts and variables"},
      {"expect", {{"VALUE, VALUE", "??", 0, expect}}, "stops the script unless both are equal (numbers by value)"},
  };
  return list;
}
// clang-format on

// As a script writes it: `$v = calc A, "+", B`.
std::string usage(const Directive& directive, const Form& way) {
  std::string line = (way.result ? "$v = " : "") + directive.name;
  return "`" + line + (way.arguments.empty() ? "" : " " + way.arguments) + "`";
}

}  // namespace

void add_directives(std::vector<Callee>& list) {
  for (const Directive& directive : directives())
    for (const Form& way : directive.forms)
      list.push_back({directive.name, "directive", way.letters, way.result, way.run});
  // Loops are run by the runner itself (runner.cpp); these entries name them.
  list.push_back({"repeat", "directive", "*", 0, loop_marker});
  list.push_back({"end repeat", "directive", "", 0, loop_marker});
}

std::string directive_table() {
  std::string table = "| directive | what it does |\n|---|---|\n";
  for (const Directive& directive : directives()) {
    std::string forms;
    for (const Form& way : directive.forms) forms += (forms.empty() ? "" : " or ") + usage(directive, way);
    table += "| " + forms + " | " + directive.does + " |\n";
  }
  return table;
}

}  // namespace runner
