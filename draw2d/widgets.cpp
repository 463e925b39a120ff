// DRAW BUTTON, MAKE HEALTH BAR, GUI SLIDER, LOADING BAR: immediate-mode
// widgets, drawn once per call; the calling program keeps their values.
//
// BoxGradient takes its corner colours as bottom-left, top-left,
// bottom-right, top-right.
#include <climits>
#include <cstdint>

#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "draw2d.h"

using draw2d::coordinate;

namespace {

constexpr int bevel_highlight = 64;
constexpr int bevel_shadow = -64;

constexpr K slider_border_hover = 0xFF000000u;
constexpr K slider_border_idle = 0xFF303030u;
constexpr K slider_knob = 0xFF909090u;
constexpr int slider_zone = 10;  // pixels above and below the track
constexpr int mouse_pressed = 1;

// One channel along a side of n steps, offset by a highlight or a shadow:
// at step k, ((n − k)·c0 + k·c1) / n + offset, stepped without a division.
// The quotient and remainder of that numerator by n move by the quotient
// and remainder of (c1 − c0) / n.  Channels are 0..255, as RgbR yields them,
// so the numerator is never negative and its floor is the truncation toward
// zero; the value lies between the two ends, and 32-bit arithmetic that
// wraps carries it whatever the channels.  A side of 0 steps is its start.
class ChannelRamp {
 public:
  ChannelRamp(int c0, int c1, std::uint32_t n, int offset)
      : value_(static_cast<std::uint32_t>(c0) + static_cast<std::uint32_t>(offset)),
        remainder_less_n_(0u - n),
        minus_n_(0u - n) {
    if (n == 0) return;
    long long difference = static_cast<long long>(c1) - c0;
    long long whole = difference / n, part = difference % n;
    if (part < 0) whole -= 1, part += n;  // floor division: 0 <= part < n
    whole_step_ = static_cast<std::uint32_t>(whole);
    part_step_ = static_cast<std::uint32_t>(part);
  }

  int value() const { return static_cast<int>(value_); }

  // The remainder is kept as remainder − n, modulo 2³²: it wraps past 2³²
  // exactly when the remainder reaches n.
  void step() {
    value_ += whole_step_;
    std::uint32_t before = remainder_less_n_;
    remainder_less_n_ += part_step_;
    if (remainder_less_n_ < before) {
      remainder_less_n_ += minus_n_;
      ++value_;
    }
  }

 private:
  std::uint32_t value_, remainder_less_n_, minus_n_, whole_step_ = 0, part_step_ = 0;
};

// A channel with a bevel offset added: a highlight (positive offset) is only
// capped at 255, a shadow only floored at 0.
template <int offset>
int bevel_channel(int value) {
  if constexpr (offset > 0) return value > draw2d::channel_max ? draw2d::channel_max : value;
  return value < 0 ? 0 : value;
}

enum class Along { down, right };

// One side of a bevel ring: steps + 1 dots from (x, y) down or to the
// right, coloured from `from` to `to`, offset by a highlight or a shadow.
// The end colours are read even when the side has no dots (steps < 0).
template <int offset, Along along>
void bevel_side(K from, K to, long long steps, int x, int y) {
  int r0 = H.RgbR(from), r1 = H.RgbR(to);
  int g0 = H.RgbG(from), g1 = H.RgbG(to);
  int b0 = H.RgbB(from), b1 = H.RgbB(to);
  if (steps < 0) return;
  std::uint32_t n = static_cast<std::uint32_t>(steps);  // at most 2³² − 1
  ChannelRamp red(r0, r1, n, offset), green(g0, g1, n, offset), blue(b0, b1, n, offset);
  for (std::uint32_t left = n;; --left) {
    K colour = H.Rgb(bevel_channel<offset>(red.value()), bevel_channel<offset>(green.value()),
                     bevel_channel<offset>(blue.value()));
    H.Dot(x, y, colour);
    if (left == 0) break;
    red.step(), green.step(), blue.step();
    if constexpr (along == Along::down)
      y = wrap_add(y, 1);
    else
      x = wrap_add(x, 1);
  }
}

}  // namespace

// A gradient fill with `bevel` rings, outermost first: the left and top sides
// lit, the right and bottom shaded; the horizontal sides are drawn last, so
// they own the corners.
void drawbutton(int x1, int y1, int x2, int y2, int bevel, int top_left, int top_right, int bottom_left,
                int bottom_right) {
  host::ensure_bound();
  K tl = static_cast<K>(top_left), tr = static_cast<K>(top_right);
  K bl = static_cast<K>(bottom_left), br = static_cast<K>(bottom_right);
  H.BoxGradient(x1, y1, x2, y2, bl, tl, br, tr);
  for (int i = 0; i < bevel; ++i) {
    int left = wrap_add(x1, i), right = wrap_sub(x2, i), top = wrap_add(y1, i), bottom = wrap_sub(y2, i);
    long long height = static_cast<long long>(y2) - y1 - 2LL * i;
    long long width = static_cast<long long>(x2) - x1 - 2LL * i;
    bevel_side<bevel_highlight, Along::down>(tl, bl, height, left, top);
    bevel_side<bevel_shadow, Along::down>(tr, br, height, right, top);
    bevel_side<bevel_highlight, Along::right>(tl, tr, width, left, top);
    bevel_side<bevel_shadow, Along::right>(bl, br, width, left, bottom);
  }
}

// The fill runs to value / maximum of the width and takes the colour of the
// quarter the value falls in (a value on a border takes the lower band).  A
// maximum of 0, or a value that is not a number, has no fill level: the bar
// is drawn empty, its fill edge at x1.
void makehealthbar(int x1, int y1, int x2, int y2, float value, float maximum, K c1, K c2, K c3, K c4) {
  host::ensure_bound();
  float ratio = f32(static_cast<double>(value) / maximum);
  if (maximum == 0 || ratio != ratio) ratio = 0;
  int fill_edge = trunc_int(x1 + ratio * (static_cast<double>(x2) - x1));

  K grey = H.Rgb(155, 155, 155);  // made before olive, though passed after it
  K olive = H.Rgb(155, 155, 55);
  H.BoxGradient(x1, y1, x2, y2, olive, 0, grey, 0);

  double v = value, q = 0.25 * maximum;
  K colour = 0;
  if (v >= maximum - q) colour = c1;
  if (maximum - 2 * q <= v && v <= maximum - q) colour = c2;
  if (maximum - 3 * q <= v && v <= maximum - 2 * q) colour = c3;
  if (maximum - 4 * q <= v && v <= maximum - 3 * q) colour = c4;
  H.BoxGradient(x1, y1, fill_edge, y2, colour, 0, colour, 0);
}

// Returns the new value: the mouse's fraction of the track while the button
// is held over the slider, else the value passed in.  The knob is drawn at
// the value passed in.
K gui_slider(int x, int y, int length, float value) {
  host::ensure_bound();
  // Each bound asks the mouse again, Y before X, and stops at the first miss.
  bool inside = H.GetMouseY() >= static_cast<long long>(y) - slider_zone &&
                H.GetMouseY() <= static_cast<long long>(y) + slider_zone && H.GetMouseX() >= x &&
                H.GetMouseX() <= static_cast<long long>(x) + length;
  bool pressed = false;
  if (inside) {
    pressed = H.GetMouseClick() == mouse_pressed;
    H.Ink(slider_border_hover, 0);
  } else {
    H.Ink(slider_border_idle, 0);
  }
  H.Box(x, y, wrap_add(x, length), wrap_add(y, 1));
  int knob = trunc_int(x + static_cast<double>(length) * value);
  H.Box(wrap_sub(knob, 4), wrap_sub(y, 8), wrap_add(knob, 4), wrap_add(y, 8));
  H.Ink(slider_knob, 0);
  H.Box(wrap_sub(knob, 3), wrap_sub(y, 7), wrap_add(knob, 3), wrap_add(y, 7));
  if (!pressed) return float_bits(value);
  return float_bits(f32((static_cast<double>(H.GetMouseX()) - x) / length));  // X asked once more
}

// A 100-pixel frame with a bar of current / maximum percent, capped at 100.
// The percentage is formed in 64 bits, so a large current cannot overflow;
// a maximum of 0 has no percentage and draws an empty bar.
void loadingbar(int maximum, int current, int x, int y, char* caption, int fr, int fg, int fb, int br, int bg, int bb) {
  host::ensure_bound();
  long long percent = maximum == 0 ? 0 : static_cast<long long>(current) * 100 / maximum;
  if (percent >= 100) percent = 100;
  if (percent < INT_MIN) percent = INT_MIN;

  H.BasicText(x, wrap_sub(y, draw2d::loading_bar_height), as_ktext(caption));
  int right = wrap_add(x, draw2d::loading_bar_width), bottom = wrap_add(y, draw2d::loading_bar_height);
  H.Ink(H.Rgb(fr, fg, fb), 0);
  H.Line(x, y, right, y);
  H.Line(x, y, x, bottom);
  H.Line(right, y, right, bottom);
  H.Line(x, bottom, right, bottom);
  H.Ink(H.Rgb(br, bg, bb), 0);
  H.Box(x, y, coordinate(x + percent), bottom);
  draw2d::white_ink();  // left white for the caller, though nothing more is drawn
}
