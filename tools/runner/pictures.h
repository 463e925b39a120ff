// What the runner makes of the host's screen: screenshots (PNG) and
// recordings of the frames the host presents (animated GIF).
//
// A picture is the stand-in host's own: the 2D screen with the 3D scene drawn
// over it (hostsim/render.h), and the mouse pointer over everything when the
// script shows it.  Pictures are written `zoom` times their size, each pixel
// repeated.
//
// A recording keeps every `step`-th frame presented (each Sync, and each frame
// of the frames directive) from the first on, up to `limit` frames; each kept
// frame lasts `step` x `frame_ms`, the last one at least a second.  When it
// ends, the screen as it then stands is added if frames were presented after
// the last one kept.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../../hostsim/render.h"
#include "gif.h"

namespace runner {

struct Recording {
  bool active = false;
  std::string path;
  int step = 1, limit = 0, frame_ms = 0;
  int width = 0, height = 0;
  int presented = 0;     // frames presented since the recording began
  bool pending = false;  // frames were presented after the last one kept
  std::vector<GifFrame> frames;
};

struct PictureSettings {
  int zoom = 1;
  bool pointer = false;
  Recording recording;
};

inline constexpr int default_record_step = 1, default_record_limit = 100, default_record_frame_ms = 40;
inline constexpr int most_recorded_frames = 400;
inline constexpr int largest_zoom = 8;

// The screen as the host shows it now.
std::vector<std::uint32_t> picture(hostsim::Look look);

// The picture as screenshots show it, zoomed; `width` and `height` become its size.
std::vector<std::uint32_t> zoomed_picture(hostsim::Look look, int& width, int& height);

bool write_screenshot(const std::string& path, hostsim::Look look);

// Each throws a ScriptError for what cannot be done.
void start_recording(const std::string& path, int step, int limit, int frame_ms);
void record_presented_frame();   // the host presented a frame
bool recording_full();           // presented frames are no longer kept
std::string finish_recording();  // writes the file; returns what was written

}  // namespace runner
