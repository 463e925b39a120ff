#include "pictures.h"

#include <algorithm>

#include "../../hostsim/basic2d_state.h"
#include "../../hostsim/input_state.h"
#include "../../hostsim/png_io.h"
#include "script.h"
#include "session.h"

namespace runner {
namespace {

constexpr int final_frame_ms = 1000;  // the animation rests on its last frame before it loops
constexpr long long largest_picture_side = 8192;
constexpr long long most_recorded_pixels = 1LL << 26;  // frames are held in memory until the end

// The picture's size once zoomed, refused beyond the largest side.
void check_zoomed_size(int width, int height) {
  long long zoom = session().pictures.zoom;
  if (width * zoom > largest_picture_side || height * zoom > largest_picture_side)
    throw ScriptError("a picture zoomed " + std::to_string(zoom) + " times would be more than " +
                      std::to_string(largest_picture_side) + " pixels on a side");
}

// The mouse pointer, its tip at the mouse position: B outline, W fill (amber
// while a button is held).
constexpr const char* pointer_rows[] = {
    "B", "BB", "BWB", "BWWB", "BWWWB", "BWWWWB", "BWWWWWB", "BWWWWWWB", "BWWWBBBBB", "BWWB", "BWB", "BB", "B",
};
constexpr std::uint32_t pointer_outline = 0xFF000000u, pointer_fill = 0xFFFFFFFFu, pointer_pressed = 0xFFFFC040u;

void draw_pointer(std::vector<std::uint32_t>& pixels, int width, int height) {
  const hostsim::InputState& input = hostsim::input_state;
  std::uint32_t fill = input.mouse_click ? pointer_pressed : pointer_fill;
  long long y = input.mouse_y;
  for (const char* row : pointer_rows) {
    for (long long x = input.mouse_x; *row; ++row, ++x)
      if (x >= 0 && y >= 0 && x < width && y < height && *row != ' ')
        pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = *row == 'B' ? pointer_outline : fill;
    ++y;
  }
}

std::vector<std::uint32_t> zoomed(const std::vector<std::uint32_t>& pixels, int width, int height, int zoom) {
  if (zoom == 1) return pixels;
  std::vector<std::uint32_t> large;
  large.reserve(pixels.size() * std::size_t(zoom) * std::size_t(zoom));
  for (int y = 0; y < height; ++y)
    for (int copy = 0; copy < zoom; ++copy)
      for (int x = 0; x < width; ++x)
        large.insert(large.end(), std::size_t(zoom), pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]);
  return large;
}

Recording& recording() { return session().pictures.recording; }

void keep_frame(int duration_ms) {
  Recording& r = recording();
  if (hostsim::screen.width != r.width || hostsim::screen.height != r.height)
    throw ScriptError("the screen changed size during the recording of " + quote(r.path));
  if (static_cast<long long>(r.frames.size() + 1) * r.width * r.height > most_recorded_pixels)
    throw ScriptError("the recording of " + quote(r.path) +
                      " holds too many pixels: record fewer frames or a smaller screen");
  r.frames.push_back({picture(hostsim::Look::solid), duration_ms});
  r.pending = false;
}

}  // namespace

std::vector<std::uint32_t> picture(hostsim::Look look) {
  std::vector<std::uint32_t> pixels = hostsim::render_scene(look);
  if (session().pictures.pointer) draw_pointer(pixels, hostsim::screen.width, hostsim::screen.height);
  return pixels;
}

std::vector<std::uint32_t> zoomed_picture(hostsim::Look look, int& width, int& height) {
  int zoom = session().pictures.zoom;
  width = hostsim::screen.width, height = hostsim::screen.height;
  check_zoomed_size(width, height);
  std::vector<std::uint32_t> pixels = zoomed(picture(look), width, height, zoom);
  width *= zoom, height *= zoom;
  return pixels;
}

bool write_screenshot(const std::string& path, hostsim::Look look) {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels = zoomed_picture(look, width, height);
  return hostsim::save_png(path, width, height, pixels);
}

void start_recording(const std::string& path, int step, int limit, int frame_ms) {
  if (recording().active)
    throw ScriptError("already recording " + quote(recording().path) + ": end it first with record end");
  if (step < 1) throw ScriptError("the frame step must be 1 or more");
  if (limit < 1 || limit > most_recorded_frames)
    throw ScriptError("a recording keeps 1 to " + std::to_string(most_recorded_frames) + " frames");
  if (frame_ms < 1) throw ScriptError("a frame lasts 1 ms or more");
  check_zoomed_size(hostsim::screen.width, hostsim::screen.height);
  Recording& r = recording() = Recording{};
  r.active = true, r.path = path, r.step = step, r.limit = limit, r.frame_ms = frame_ms;
  r.width = hostsim::screen.width, r.height = hostsim::screen.height;
}

bool recording_full() {
  const Recording& r = recording();
  return !r.active || int(r.frames.size()) >= r.limit;
}

void record_presented_frame() {
  Recording& r = recording();
  if (recording_full()) return;
  bool kept = r.presented % r.step == 0;
  ++r.presented;
  if (kept)
    keep_frame(r.step * r.frame_ms);
  else
    r.pending = true;
}

std::string finish_recording() {
  Recording& r = recording();
  if (!r.active) throw ScriptError("nothing is being recorded: start with record \"file.gif\"");
  if (r.pending && !recording_full()) keep_frame(r.step * r.frame_ms);
  r.active = false;
  if (r.frames.empty()) throw ScriptError("no frame was presented while recording " + quote(r.path));
  r.frames.back().duration_ms = std::max(r.frames.back().duration_ms, final_frame_ms);
  if (!write_gif(r.path, r.width, r.height, session().pictures.zoom, r.frames))
    throw ScriptError("cannot write " + quote(r.path));
  std::string written = r.path + " (" + std::to_string(r.frames.size()) + " frames)";
  r.frames.clear();
  return written;
}

}  // namespace runner
