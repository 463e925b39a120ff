#include "directives.h"

#include <cstdlib>

#include "../../hostsim/core_state.h"
#include "../../hostsim/input_state.h"
#include "../../hostsim/matrices.h"
#include "../../hostsim/objects.h"
#include "../../hostsim/png_io.h"
#include "../../hostsim/screen.h"
#include "../../hostsim/sounds.h"
#include "../../hostsim/storage.h"
#include "marshal.h"
#include "session.h"
#include "wireframe.h"

namespace runner {
namespace {

constexpr int default_frame_ms = 16;

void screen(int width, int height) {
  constexpr int largest_side = 4096;
  if (width < 1 || height < 1 || width > largest_side || height > largest_side)
    throw ScriptError("the screen must be 1 to " + std::to_string(largest_side) + " pixels on each side");
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

void screenshot(char* file) {
  std::string path = output_path(file);
  if (!write_screenshot(path)) throw ScriptError("cannot write " + quote(path));
  *session().out << "wrote " << path << '\n';
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

Value print(const std::vector<Argument>& arguments) {
  std::string line;
  for (const Argument& argument : arguments) line += (line.empty() ? "" : " ") + argument.text;
  *session().out << line << '\n';
  return {};
}

// Numbers compare by value (0x10 equals 16, 1.50 equals 1.5), texts exactly.
bool same_value(const Argument& a, const Argument& b) {
  if (a.quoted || b.quoted) return a.quoted == b.quoted && a.text == b.text;
  auto number = [](const std::string& text, double& value) {
    char* end = nullptr;
    bool hex = text.find("0x") != std::string::npos || text.find("0X") != std::string::npos;
    value = hex ? static_cast<double>(std::strtoll(text.c_str(), &end, 16)) : std::strtod(text.c_str(), &end);
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

template <class F>
void add(std::vector<Callee>& list, const std::string& name, F* function) {
  void* address = reinterpret_cast<void*>(function);
  list.push_back({name, "directive", Marshal<F>::letters(0), 0, [address](const std::vector<Argument>& arguments) {
                    return Marshal<F>::call(address, 0, 0, arguments);
                  }});
}

}  // namespace

void add_directives(std::vector<Callee>& list) {
  add(list, "screen", &screen);
  add(list, "load image", &load_image);
  add(list, "save image", &save_image);
  add(list, "screenshot", &screenshot);
  add(list, "load sound", &load_sound);
  add(list, "matrix", &matrix);
  add(list, "camera", &camera);
  add(list, "camera", &camera_turned);
  add(list, "mouse", &mouse);
  add(list, "mouse", &mouse_buttons);
  add(list, "mouse move", &mouse_move);
  add(list, "key", &key);
  add(list, "timer", &timer);
  add(list, "frames", &frames);
  add(list, "frames", &frames_timed);
  add(list, "loop", &loop_endless);
  add(list, "loop", &loop_times);
  list.push_back({"print", "directive", "*", 0, print});
  list.push_back({"expect", "directive", "??", 0, expect});
}

}  // namespace runner
