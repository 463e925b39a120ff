#include "gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace runner {
namespace {

constexpr std::size_t palette_colours = 255;  // index 255 stands for "unchanged"
constexpr int unchanged = 255;
constexpr int shortest_delay_cs = 2;  // viewers slow anything shorter down
constexpr int longest_delay_cs = 65535;

struct Counted {
  std::uint32_t rgb;
  std::uint64_t count;
};

int channel(std::uint32_t rgb, int shift) { return int((rgb >> shift) & 0xFF); }

std::uint32_t rgb_of(std::uint32_t pixel) { return pixel & 0xFFFFFFu; }

// Every colour with the number of pixels that show it, sorted by colour.
// Pixels that stay as the frame before left them are counted once.  Screens
// are mostly runs of one colour, so each run costs one lookup.
std::vector<Counted> colour_counts(const std::vector<GifFrame>& frames) {
  std::unordered_map<std::uint32_t, std::uint64_t> counts;
  std::uint32_t run_rgb = 0;
  std::uint64_t run = 0;
  const std::vector<std::uint32_t>* previous = nullptr;
  for (const GifFrame& frame : frames) {
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
      if (previous && (*previous)[i] == frame.pixels[i]) continue;
      std::uint32_t rgb = rgb_of(frame.pixels[i]);
      if (run > 0 && rgb != run_rgb) {
        counts[run_rgb] += run;
        run = 0;
      }
      run_rgb = rgb;
      ++run;
    }
    previous = &frame.pixels;
  }
  if (run > 0) counts[run_rgb] += run;
  std::vector<Counted> sorted;
  for (const auto& [rgb, count] : counts) sorted.push_back({rgb, count});
  std::sort(sorted.begin(), sorted.end(), [](const Counted& a, const Counted& b) { return a.rgb < b.rgb; });
  return sorted;
}

// The channel (shift 16, 8 or 0) over which the colours spread widest, and how wide.
std::pair<int, int> widest_channel(const Counted* first, const Counted* last) {
  std::pair<int, int> widest{16, -1};
  for (int shift : {16, 8, 0}) {
    int low = 255, high = 0;
    for (const Counted* c = first; c != last; ++c)
      low = std::min(low, channel(c->rgb, shift)), high = std::max(high, channel(c->rgb, shift));
    if (high - low > widest.second) widest = {shift, high - low};
  }
  return widest;
}

std::uint32_t mean_colour(const Counted* first, const Counted* last) {
  std::uint64_t total = 0, sums[3] = {0, 0, 0};
  for (const Counted* c = first; c != last; ++c) {
    total += c->count;
    for (int i = 0; i < 3; ++i) sums[i] += c->count * std::uint64_t(channel(c->rgb, 16 - 8 * i));
  }
  std::uint32_t rgb = 0;
  for (int i = 0; i < 3; ++i) rgb |= std::uint32_t((sums[i] + total / 2) / total) << (16 - 8 * i);
  return rgb;
}

// Splits the widest box at the pixel-weighted median of its widest channel
// until there are `most` boxes; each box gives its weighted mean colour.
std::vector<std::uint32_t> median_cut(std::vector<Counted> colours, std::size_t most) {
  struct Box {
    std::size_t begin, end;
  };
  std::vector<Box> boxes{{0, colours.size()}};
  while (boxes.size() < most) {
    std::size_t chosen = boxes.size();
    int chosen_width = 0, shift = 16;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      auto [s, width] = widest_channel(&colours[boxes[i].begin], &colours[0] + boxes[i].end);
      if (width > chosen_width) chosen = i, chosen_width = width, shift = s;
    }
    if (chosen == boxes.size()) break;
    Box box = boxes[chosen];
    std::sort(colours.begin() + std::ptrdiff_t(box.begin), colours.begin() + std::ptrdiff_t(box.end),
              [shift](const Counted& a, const Counted& b) {
                int ca = channel(a.rgb, shift), cb = channel(b.rgb, shift);
                return ca != cb ? ca < cb : a.rgb < b.rgb;
              });
    std::uint64_t total = 0, running = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) total += colours[i].count;
    std::size_t split = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
      running += colours[i].count;
      split = i + 1;
      if (2 * running >= total) break;
    }
    boxes[chosen] = {box.begin, split};
    boxes.push_back({split, box.end});
  }
  std::vector<std::uint32_t> palette;
  for (const Box& box : boxes) palette.push_back(mean_colour(&colours[box.begin], &colours[0] + box.end));
  return palette;
}

// Every colour when they fit, else the median cut's.
std::vector<std::uint32_t> palette_of(std::vector<Counted> colours, std::size_t most) {
  if (colours.size() > most) return median_cut(std::move(colours), most);
  std::vector<std::uint32_t> palette;
  for (const Counted& c : colours) palette.push_back(c.rgb);
  return palette;
}

int nearest(const std::vector<std::uint32_t>& palette, std::uint32_t rgb) {
  int best = 0;
  long long best_distance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    long long distance = 0;
    for (int shift : {16, 8, 0}) {
      long long d = channel(palette[i], shift) - channel(rgb, shift);
      distance += d * d;
    }
    if (best_distance < 0 || distance < best_distance) best = int(i), best_distance = distance;
  }
  return best;
}

// A frame as palette indices, and the part of it that the file stores.
struct Indexed {
  std::vector<GifPixelType> indices;
  int left = 0, top = 0, width = 0, height = 0;
  int delay_cs = 0;
  bool see_through = false;  // pixels that did not change are stored as `unchanged`
};

int delay_cs(int milliseconds) { return std::clamp((milliseconds + 5) / 10, shortest_delay_cs, longest_delay_cs); }

// The frames as indices, each trimmed to what changed since the one before;
// frames that change nothing lengthen the one before.
std::vector<Indexed> index_frames(const std::vector<GifFrame>& frames, int width, int height,
                                  const std::vector<Counted>& colours, const std::vector<std::uint32_t>& palette) {
  std::unordered_map<std::uint32_t, GifPixelType> index_of;
  for (const Counted& c : colours) index_of[c.rgb] = GifPixelType(nearest(palette, c.rgb));
  std::vector<Indexed> indexed;
  std::vector<GifPixelType> shown;  // what a viewer shows after the frames so far
  for (const GifFrame& frame : frames) {
    std::vector<GifPixelType> indices(frame.pixels.size());
    std::uint32_t last_rgb = ~0u;  // no pixel's colour: the first lookup is made
    GifPixelType last_index = 0;
    for (std::size_t i = 0; i < indices.size(); ++i) {
      std::uint32_t rgb = rgb_of(frame.pixels[i]);
      if (rgb != last_rgb) {
        last_rgb = rgb;
        last_index = index_of.at(rgb);
      }
      indices[i] = last_index;
    }
    Indexed next{indices, 0, 0, width, height, 0, false};
    if (!indexed.empty()) {
      int left = width, right = -1, top = height, bottom = -1;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          if (indices[std::size_t(y) * std::size_t(width) + std::size_t(x)] !=
              shown[std::size_t(y) * std::size_t(width) + std::size_t(x)])
            left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      if (right < 0) {
        indexed.back().delay_cs = std::min(longest_delay_cs, indexed.back().delay_cs + delay_cs(frame.duration_ms));
        continue;
      }
      next = {indices, left, top, right - left + 1, bottom - top + 1, 0, true};
      for (std::size_t i = 0; i < indices.size(); ++i)
        if (indices[i] == shown[i]) next.indices[i] = unchanged;
    }
    next.delay_cs = delay_cs(frame.duration_ms);
    shown = std::move(indices);
    indexed.push_back(std::move(next));
  }
  return indexed;
}

bool put_loop_forever(GifFileType* gif) {
  static const char application[] = "NETSCAPE2.0";
  static const unsigned char loop_forever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, application) == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, loop_forever) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool put_frame(GifFileType* gif, const Indexed& frame, int width, int zoom) {
  GraphicsControlBlock control{DISPOSE_DO_NOT, false, frame.delay_cs,
                               frame.see_through ? unchanged : NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK) return false;
  if (EGifPutImageDesc(gif, frame.left * zoom, frame.top * zoom, frame.width * zoom, frame.height * zoom, false,
                       nullptr) != GIF_OK)
    return false;
  std::vector<GifPixelType> row(std::size_t(frame.width) * std::size_t(zoom));
  for (int y = frame.top; y < frame.top + frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x)
      std::fill_n(row.begin() + std::ptrdiff_t(x) * zoom, zoom,
                  frame.indices[std::size_t(y) * std::size_t(width) + std::size_t(frame.left + x)]);
    for (int copy = 0; copy < zoom; ++copy)
      if (EGifPutLine(gif, row.data(), int(row.size())) != GIF_OK) return false;
  }
  return true;
}

int write_bytes(GifFileType* gif, const GifByteType* bytes, int count) {
  return int(std::fwrite(bytes, 1, std::size_t(count), static_cast<std::FILE*>(gif->UserData)));
}

}  // namespace

std::vector<std::uint32_t> gif_palette(const std::vector<GifFrame>& frames, std::size_t most) {
  return palette_of(colour_counts(frames), most);
}

bool write_gif(const std::string& path, int width, int height, int zoom, const std::vector<GifFrame>& frames) {
  if (frames.empty() || width < 1 || height < 1 || zoom < 1) return false;
  std::vector<Counted> counted = colour_counts(frames);
  std::vector<std::uint32_t> palette = palette_of(counted, palette_colours);
  std::vector<Indexed> indexed = index_frames(frames, width, height, counted, palette);
  GifColorType colours[256] = {};
  for (std::size_t i = 0; i < palette.size(); ++i)
    colours[i] = {GifByteType(channel(palette[i], 16)), GifByteType(channel(palette[i], 8)),
                  GifByteType(channel(palette[i], 0))};
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  ColorMapObject* map = GifMakeMapObject(256, colours);
  int error = 0;
  GifFileType* gif = map ? EGifOpen(file, write_bytes, &error) : nullptr;
  bool written = gif != nullptr;
  if (gif) {
    EGifSetGifVersion(gif, true);
    written = EGifPutScreenDesc(gif, width * zoom, height * zoom, 8, 0, map) == GIF_OK && put_loop_forever(gif);
    for (const Indexed& frame : indexed) written = written && put_frame(gif, frame, width, zoom);
    written = EGifCloseFile(gif, &error) == GIF_OK && written;
  }
  if (map) GifFreeMapObject(map);
  return std::fclose(file) == 0 && written;
}

}  // namespace runner
