// The playground's entry (browser build): the runner's script engine and
// renderer over the stand-in host and the plug-in, driven by web/playground.js
// through the C functions below.
//
// Every frame the host presents is shown on the page's canvas as it happens:
// the plug-in's Sync calls (a fade presents a hundred inside one command) and
// the frames a script line advances.  Showing a frame hands control back to
// the browser until the page has drawn it (Asyncify unwinds and rewinds the
// call stack), so the page stays live and Stop is seen between frames.
#include <emscripten.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "../../hostsim/basic2d_state.h"
#include "../../hostsim/core_state.h"
#include "../../hostsim/hostsim.h"
#include "../../hostsim/input_state.h"
#include "../../plugin/host.h"
#include "../../plugin/platform_native.h"
#include "callees.h"
#include "descriptions.h"
#include "directives.h"
#include "pictures.h"
#include "runner.h"
#include "script.h"
#include "session.h"

// The page's side (web/playground.js installs these on the module).
EM_JS(void, page_output, (const char* text, int is_error), { Module.ecOutput(UTF8ToString(text), is_error); });
EM_JS(void, page_show_frame, (const std::uint8_t* rgba, int width, int height, int zoom),
      { Module.ecShowFrame(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height, zoom); });
EM_ASYNC_JS(void, page_wait_frames, (int count), { await Module.ecWaitFrames(count); });

namespace {

namespace fs = std::filesystem;

constexpr const char* examples_dir = "/examples";  // embedded at link time (cmake/web.cmake)
constexpr const char* output_dir = "/output";      // screenshots and files the host writes
constexpr const char* script_name = "script";      // as faults name the script: "script:3: ..."
// A script that presents no frame still hands control back this often, so
// that the page can draw its output and Stop an endless loop.
constexpr double longest_busy_ms = 50;

bool stop_requested = false;
int frames_shown = 0;  // the host's frame count at the last frame shown
double last_yield_ms = 0;

// Writes each finished line to the page's output pane.
class PageLines : public std::streambuf {
 public:
  explicit PageLines(int is_error) : is_error_(is_error) {}
  void flush_line() {
    if (line_.empty()) return;
    page_output(line_.c_str(), is_error_);
    line_.clear();
  }

 protected:
  int overflow(int c) override {
    if (c == '\n')
      flush_line();
    else if (c != EOF)
      line_ += static_cast<char>(c);
    return c;
  }

 private:
  std::string line_;
  int is_error_;
};

// The screen as screenshots show it (zoomed as the script asks), as the
// canvas's bytes (red, green, blue, alpha); the canvas is a display, so it
// shows every pixel opaque.
void show_frame() {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  try {
    pixels = runner::zoomed_picture(hostsim::Look::solid, width, height);
  } catch (const runner::ScriptError&) {
    return;  // too large to zoom: the script's screenshot reports it
  }
  std::vector<std::uint8_t> rgba(pixels.size() * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    std::uint32_t colour = pixels[i];
    rgba[i * 4 + 0] = static_cast<std::uint8_t>(colour >> 16);
    rgba[i * 4 + 1] = static_cast<std::uint8_t>(colour >> 8);
    rgba[i * 4 + 2] = static_cast<std::uint8_t>(colour);
    rgba[i * 4 + 3] = 0xFF;
  }
  page_show_frame(rgba.data(), width, height, runner::session().pictures.zoom);
}

void wait_frames(int count) {
  page_wait_frames(count);
  last_yield_ms = emscripten_get_now();
}

// Shows the frames the host has presented since the last one shown, held
// for as many display frames as the host presented.
void show_new_frames() {
  int presented = hostsim::core_state.frames - frames_shown;
  frames_shown = hostsim::core_state.frames;
  if (presented == 0 || stop_requested) return;
  show_frame();
  wait_frames(std::max(presented, 1));
}

void after_line() {
  if (stop_requested) throw runner::ScriptError("stopped");
  show_new_frames();
  if (emscripten_get_now() - last_yield_ms > longest_busy_ms) wait_frames(0);
  if (stop_requested) throw runner::ScriptError("stopped");
}

// The host's Sync as the plug-in finds it: the stand-in's, then the frame
// shown.  After Stop the command runs on to its end without being shown.
void (*host_sync)() = nullptr;
void presenting_sync() {
  host_sync();
  show_new_frames();
}

// Puts the presenting Sync in place of the stand-in's among the fresh
// host's exports, where the plug-in, loaded afresh for every script, finds it.
void present_through_sync() {
  const char* core = host::module_file_name(host::Module::Core);
  const char* sync = "?Sync@@YAXXZ";
  host_sync = reinterpret_cast<void (*)()>(platform::find_export(platform::find_loaded_module(core), sync));
  platform::native::add_export(core, sync, reinterpret_cast<void*>(&presenting_sync));
}

// "FADE SCREEN" and "fade_screen.ecs" both give "fadescreen".
std::string plain_name(const std::string& name) {
  std::string plain;
  for (char c : name)
    if (std::isalnum(static_cast<unsigned char>(c)))
      plain += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return plain;
}

std::string read_file(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Every example script, in name order.
std::vector<fs::path> example_scripts() {
  std::vector<fs::path> scripts;
  for (const auto& entry : fs::recursive_directory_iterator(examples_dir))
    if (entry.path().extension() == ".ecs") scripts.push_back(entry.path());
  std::sort(scripts.begin(), scripts.end());
  return scripts;
}

// Whether a line of the script calls the command, as the script engine reads
// its names (LOCK IMAGE is not UNLOCK IMAGE).
bool calls(const std::string& source, std::string_view command) {
  std::istringstream lines(source);
  for (std::string text; std::getline(lines, text);) {
    runner::Line line;
    try {
      if (!runner::split_line(text, line)) continue;
    } catch (const runner::ScriptError&) {
      continue;
    }
    std::size_t count = runner::match_words(line.words);
    if (count && runner::join_words(line.words, count) == command) return true;
  }
  return false;
}

// A JSON text: the characters JSON reserves escaped, control characters as \u.
std::string json(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

// A type letter as the reference names it; "any" for a directive's value of
// any type.
std::string json_type(char letter) { return json(letter == '?' ? "any" : runner::type_name(letter)); }

// A command's reference entry: what the editor's help shows.
std::string json_entry(const runner::Description& description) {
  std::string family_title;
  for (const runner::Family& family : runner::families())
    if (family.id == description.family) family_title = family.title;
  std::string parameters;
  for (const runner::Parameter& parameter : description.parameters)
    parameters += std::string(parameters.empty() ? "" : ",") + "{\"name\":" + json(parameter.name) +
                  ",\"meaning\":" + json(parameter.meaning) + "}";
  return "{\"family\":" + json(family_title) + ",\"parameters\":[" + parameters +
         "],\"result\":" + json(description.result) + ",\"does\":" + json(description.does) +
         ",\"leaves\":" + json(description.side_effects) +
         ",\"anchor\":" + json(runner::command_stem(description.command)) +
         ",\"picture\":" + json(runner::command_picture(description.command)) + "}";
}

// One callee: its name, kind, parameter types ("*": any number of values),
// result type ("" for none) and, for a command, its reference entry.
std::string json_callee(const runner::Callee& callee) {
  std::string types;
  for (char letter : callee.parameters) types += std::string(types.empty() ? "" : ",") + json_type(letter);
  std::string entry;
  if (const runner::Description* description = runner::find_description(callee.name))
    entry = ",\"entry\":" + json_entry(*description);
  bool any_number = callee.parameters == "*";
  return "{\"name\":" + json(callee.name) + ",\"kind\":" + json(callee.kind) + ",\"types\":[" +
         (any_number ? "" : types) + "],\"anyNumber\":" + (any_number ? "true" : "false") +
         ",\"result\":" + (callee.result ? json_type(callee.result) : json("")) + entry + "}";
}

std::string returned;  // the text the last call below returned, kept for the page to read

const char* give(std::string text) {
  returned = std::move(text);
  return returned.c_str();
}

}  // namespace

extern "C" {

// Runs a script from a fresh host; 0 when it ran to its end, 1 after a fault
// or Stop (its message went to the page as an error line "script:N: ...").
// `endless` lets a loop without a count repeat until Stop.  The script's
// input files are found in `folder` of the examples ("" for the examples'
// own folder, "commands" for the one-command examples').
EMSCRIPTEN_KEEPALIVE int ec_run(const char* source, int endless, const char* folder) {
  // Nothing here needs cleaning up after run_source: a frame shown inside it
  // unwinds and rewinds this function too, best without exception landing pads.
  static PageLines out_lines(0), error_lines(1);
  static std::ostream out(&out_lines), err(&error_lines);
  static runner::Options options;
  options.host_started = present_through_sync;
  options.output_dir = output_dir;
  options.endless_loops = endless != 0;
  options.after_line = after_line;
  stop_requested = false;
  frames_shown = 0;
  last_yield_ms = emscripten_get_now();
  fs::path script_dir = fs::path(examples_dir) / folder;
  if (!fs::is_directory(script_dir)) script_dir = examples_dir;
  int status = runner::run_source(source, script_name, script_dir.string(), options, out, err);
  out_lines.flush_line();
  error_lines.flush_line();
  show_frame();  // the screen as the script left it
  return status;
}

EMSCRIPTEN_KEEPALIVE void ec_stop() { stop_requested = true; }

// Input from the canvas, as the host's input module reports it: the mouse in
// screen pixels, the buttons as GetMouseClick gives them (1 left, 2 right,
// 4 middle), movement summed until the host reads it, and key states.
EMSCRIPTEN_KEEPALIVE void ec_mouse(int x, int y, int buttons) {
  hostsim::input_state.mouse_x = x;
  hostsim::input_state.mouse_y = y;
  hostsim::input_state.mouse_click = buttons;
}

EMSCRIPTEN_KEEPALIVE void ec_mouse_move(int dx, int dy) {
  hostsim::input_state.mouse_move_x += dx;
  hostsim::input_state.mouse_move_y += dy;
}

EMSCRIPTEN_KEEPALIVE void ec_key(int code, int down) {
  auto& keys = hostsim::input_state.keys;
  if (code >= 0 && code < static_cast<int>(keys.size())) keys[static_cast<std::size_t>(code)] = down ? 1 : 0;
}

// Everything a script line can call, as a JSON array of callees (one per
// accepted argument count), for the page's editor.
EMSCRIPTEN_KEEPALIVE const char* ec_callees() {
  std::string list;
  for (const runner::Callee& callee : runner::callees()) list += (list.empty() ? "[" : ",") + json_callee(callee);
  return give(list + "]");
}

// The directives' ways of being written and what each does, as the
// runner's syntax page tabulates them.
EMSCRIPTEN_KEEPALIVE const char* ec_directives() { return give(runner::directive_table()); }

// The example scripts, one path a line relative to the examples folder.
EMSCRIPTEN_KEEPALIVE const char* ec_examples() {
  std::string list;
  for (const fs::path& script : example_scripts()) list += fs::relative(script, examples_dir).string() + '\n';
  return give(list);
}

EMSCRIPTEN_KEEPALIVE const char* ec_example(const char* name) { return give(read_file(fs::path(examples_dir) / name)); }

// The example to show a command with, as a name relative to the examples
// folder: its own script when there is one (a file named after it), else its
// family's when that calls it, else the first example that calls it; "" when
// no example calls it.
EMSCRIPTEN_KEEPALIVE const char* ec_command_example(const char* command) {
  std::string wanted = plain_name(command);
  const runner::Description* description = nullptr;
  for (const runner::Description& candidate : runner::descriptions())
    if (plain_name(std::string(candidate.command)) == wanted) description = &candidate;
  if (!description) return give("");
  std::vector<fs::path> scripts = example_scripts();
  auto name = [](const fs::path& script) { return give(fs::relative(script, examples_dir).string()); };
  for (const fs::path& script : scripts)
    if (plain_name(script.stem().string()) == wanted) return name(script);
  fs::path family = fs::path(examples_dir) / (std::string(description->family) + ".ecs");
  std::stable_partition(scripts.begin(), scripts.end(), [&](const fs::path& script) { return script == family; });
  for (const fs::path& script : scripts)
    if (calls(read_file(script), description->command)) return name(script);
  return give("");
}

}  // extern "C"

int main() { return 0; }
