// TEXT OUTLINE, TEXT SHADOW, TEXT UNDERLINE, TYPEWRITER TEXT.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "draw2d.h"

using draw2d::white_ink;

constexpr K black = 0;

// Four copies in black, one pixel off on each side, under the text in white.
void text_outline(int x, int y, char* text) {
  host::ensure_bound();
  KText t = as_ktext(text);
  H.Ink(black, 0);
  // Right, below, above, left: the copies are drawn in this order on purpose.
  H.BasicText(wrap_add(x, 1), y, t);
  H.BasicText(x, wrap_add(y, 1), t);
  H.BasicText(x, wrap_sub(y, 1), t);
  H.BasicText(wrap_sub(x, 1), y, t);
  white_ink();
  H.BasicText(x, y, t);
}

// The white text goes one pixel right of x; its shadow one further right and
// one down.
void text_shadow(int x, int y, char* text) {
  host::ensure_bound();
  KText t = as_ktext(text);
  H.Ink(black, 0);
  H.BasicText(wrap_add(x, 2), wrap_add(y, 1), t);
  white_ink();
  H.BasicText(wrap_add(x, 1), y, t);
}

// The text and a line along its foot, both in the current ink.
void text_underline(int x, int y, char* text) {
  host::ensure_bound();
  KText t = as_ktext(text);
  H.BasicText(x, y, t);
  int width = H.TextWidth(t);
  int start_y = wrap_add(y, H.TextHeight(t));
  int end_y = wrap_add(y, H.TextHeight(t));  // the height is asked again on purpose
  H.Line(x, start_y, wrap_add(x, width), end_y);
}

// Shows the first trunc(progress) characters.  Progress grows by speed per
// call while its whole part is at most the text's length, and is returned for
// the caller to pass back on the next frame.
K typewritertext(char* text, int x, int y, float speed, float progress) {
  host::ensure_bound();
  KText t = as_ktext(text);
  int length = H.Len(t);
  if (trunc_int(progress) <= length) progress = f32(static_cast<double>(progress) + speed);
  H.BasicText(x, y, H.Left(KText{}, t, trunc_int(progress)));
  return float_bits(progress);
}
