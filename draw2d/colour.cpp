// BRIGHTEN COLOR, OPPOSITE COLOR, GREYSCALE COLOR.
//
// Colours are opaque host values: channels are read with RgbR, RgbG, RgbB
// and the result is built with Rgb.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "draw2d.h"

using draw2d::clamp_channel;

// The same amount is added to every channel, each held to 0..255.  The sums
// are formed wide, so a huge amount saturates instead of wrapping.
K brightencolor(K colour, int amount) {
  host::ensure_bound();
  long long red = H.RgbR(colour) + static_cast<long long>(amount);
  long long green = H.RgbG(colour) + static_cast<long long>(amount);
  long long blue = H.RgbB(colour) + static_cast<long long>(amount);
  return H.Rgb(clamp_channel(red), clamp_channel(green), clamp_channel(blue));
}

K coloropposite(K colour) {
  host::ensure_bound();
  int red = wrap_sub(draw2d::channel_max, H.RgbR(colour));
  int green = wrap_sub(draw2d::channel_max, H.RgbG(colour));
  int blue = wrap_sub(draw2d::channel_max, H.RgbB(colour));
  return H.Rgb(red, green, blue);
}

// The plain mean of the three channels, truncated.
K greyscalecolor(K colour) {
  host::ensure_bound();
  long long red = H.RgbR(colour);
  long long green = H.RgbG(colour);
  long long blue = H.RgbB(colour);
  int grey = static_cast<int>((red + green + blue) / 3);
  return H.Rgb(grey, grey, grey);
}
