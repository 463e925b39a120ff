// DRAW BUTTON, MAKE HEALTH BAR, GUI SLIDER, LOADING BAR: immediate-mode
// widgets, drawn once per call; the calling program keeps their values.
//
// BoxGradient takes its corner colours as bottom-left, top-left,
// bottom-right, top-right.
#include <climits>

#include "../plugin/commands.h"
#include "draw2d.h"
#include "../plugin/host.h"

using draw2d::coordinate;

namespace {

constexpr int bevel_highlight = 64;
constexpr int bevel_shadow = -64;

constexpr K slider_border_hover = 0xFF000000u;
constexpr K slider_border_idle = 0xFF303030u;
constexpr K slider_knob = 0xFF909090u;
constexpr int slider_zone = 10;  // pixels above and below the track
constexpr int mouse_pressed = 1;

constexpr int bar_width = 100;  // one pixel per percent
constexpr int bar_height = 15;

// One side of a bevel ring: steps + 1 dots from (x, y) along (dx, dy),
// coloured from `from` to `to`, offset by a highlight or a shadow.  The end
// colours are read even when the side has no dots (steps < 0).
void bevel_side(K from, K to, long long steps, long long x, long long y, int dx, int dy, int offset) {
  int r0 = H.RgbR(from), r1 = H.RgbR(to);
  int g0 = H.RgbG(from), g1 = H.RgbG(to);
  int b0 = H.RgbB(from), b1 = H.RgbB(to);
  for (long long k = 0; k <= steps; ++k) {
    int red = draw2d::offset_channel(draw2d::interpolate_channel(r0, r1, k, steps), offset);
    int green = draw2d::offset_channel(draw2d::interpolate_channel(g0, g1, k, steps), offset);
    int blue = draw2d::offset_channel(draw2d::interpolate_channel(b0, b1, k, steps), offset);
    H.Dot(coordinate(x + k * dx), coordinate(y + k * dy), H.Rgb(red, green, blue));
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
  for (long long i = 0; i < bevel; ++i) {
    long long left = x1 + i, right = x2 - i, top = y1 + i, bottom = y2 - i;
    long long height = bottom - top, width = right - left;
    bevel_side(tl, bl, height, left, top, 0, 1, bevel_highlight);
    bevel_side(tr, br, height, right, top, 0, 1, bevel_shadow);
    bevel_side(tl, tr, width, left, top, 1, 0, bevel_highlight);
    bevel_side(bl, br, width, left, bottom, 1, 0, bevel_shadow);
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

  K grey = H.Rgb(155, 155, 155);
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
  return float_bits(f32((static_cast<double>(H.GetMouseX()) - x) / length));
}

// A 100-pixel frame with a bar of current / maximum percent, capped at 100.
// The percentage is formed in 64 bits, so a large current cannot overflow;
// a maximum of 0 has no percentage and draws an empty bar.
void loadingbar(int maximum, int current, int x, int y, char* caption, int fr, int fg, int fb, int br,
                int bg, int bb) {
  host::ensure_bound();
  long long percent = maximum == 0 ? 0 : static_cast<long long>(current) * 100 / maximum;
  if (percent >= 100) percent = 100;
  if (percent < INT_MIN) percent = INT_MIN;

  H.BasicText(x, wrap_sub(y, bar_height), as_ktext(caption));
  int right = wrap_add(x, bar_width), bottom = wrap_add(y, bar_height);
  H.Ink(H.Rgb(fr, fg, fb), 0);
  H.Line(x, y, right, y);
  H.Line(x, y, x, bottom);
  H.Line(right, y, right, bottom);
  H.Line(x, bottom, right, bottom);
  H.Ink(H.Rgb(br, bg, bb), 0);
  H.Box(x, y, coordinate(x + percent), bottom);
  H.Ink(H.Rgb(draw2d::channel_max, draw2d::channel_max, draw2d::channel_max), 0);
}
