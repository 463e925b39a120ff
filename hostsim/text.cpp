// Text module: drawing text in the font (font.h) and the string functions.
// Texts travel as KText values; texts that Left, Right and Mid return live
// until the next reset.
#include <cstring>
#include <deque>
#include <string>

#include "basic2d_state.h"
#include "font.h"
#include "impl.h"

namespace hostsim {
namespace {

std::deque<std::string> made_texts;

std::string text_of(KText text) { return text_chars(text) ? text_chars(text) : ""; }

KText keep(std::string text) {
  made_texts.push_back(std::move(text));
  return as_ktext(made_texts.back().c_str());
}

}  // namespace

void reset_text() { made_texts.clear(); }

namespace impl {

// In the current ink.
void Text_BasicText(int x, int y, KText text) { draw_text(x, y, text_of(text).c_str(), screen.ink); }

// 1-based position of the last occurrence of the first character of `what`.
int Text_FindLastChar(KText text, KText what) {
  std::string haystack = text_of(text), needle = text_of(what);
  if (needle.empty()) return 0;
  std::size_t at = haystack.rfind(needle[0]);
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

KText Text_Left(KText, KText text, int count) {
  std::string whole = text_of(text);
  return keep(count <= 0 ? "" : whole.substr(0, static_cast<std::size_t>(count)));
}

int Text_Len(KText text) { return static_cast<int>(text_of(text).size()); }

// The one character at 1-based `position`, or "" outside the text.
KText Text_Mid(KText, KText text, int position) {
  std::string whole = text_of(text);
  if (position < 1 || static_cast<std::size_t>(position) > whole.size()) return keep("");
  return keep(whole.substr(static_cast<std::size_t>(position) - 1, 1));
}

KText Text_Right(KText, KText text, int count) {
  std::string whole = text_of(text);
  if (count <= 0) return keep("");
  std::size_t n = std::min(whole.size(), static_cast<std::size_t>(count));
  return keep(whole.substr(whole.size() - n));
}

int Text_TextHeight(KText) { return font_cell_height; }
int Text_TextWidth(KText text) { return static_cast<int>(text_of(text).size()) * font_cell_width; }

}  // namespace impl
}  // namespace hostsim
