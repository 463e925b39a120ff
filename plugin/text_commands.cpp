// GET FILE EXTENSION, GET SHORT FILENAME, FRONT INK, BACK INK.
//
// Text commands give back the text the host passes in first, then build
// their result through the host's text functions.  Host texts travel as
// KText values; positions in texts count from 1.
#include <cstring>

#include "commands.h"
#include "core_data.h"
#include "host.h"

namespace {

KText text_or_empty(const char* text) { return as_ktext(text ? text : ""); }

const char* host_text(KText text) { return text_chars(text) ? text_chars(text) : ""; }

}  // namespace

// 'notes.txt' -> '.txt'; a name without a dot -> ''.
KText getfileextension(char* previous, char* name) {
  host::ensure_bound();
  core::give_back(&previous);
  KText file = text_or_empty(name);
  int dot = H.FindLastChar(file, text_or_empty("."));
  if (dot - 1 < 0) return core::string_result("");
  int tail = H.Len(file) - (dot - 1);
  return core::string_result(host_text(H.Right(KText{}, file, tail)));
}

// 'notes.txt' -> 'txt'.  Positions from the end down to 2 are looked at, so
// a dot in position 1 is never found and such a name comes back whole.
KText getshortfilename(char* previous, char* name) {
  host::ensure_bound();
  core::give_back(&previous);
  KText file = text_or_empty(name);
  int length = H.Len(file);
  if (length <= 0) return core::string_result(host_text(file));
  int n = length;
  do {
    // One Mid per position, from the end.
    if (std::strcmp(host_text(H.Mid(KText{}, file, n)), ".") == 0)
      return core::string_result(host_text(H.Right(KText{}, file, length - n)));
    --n;
  } while (n > 1);
  return core::string_result(host_text(file));
}

void frontink(K colour) { core::store_ink(core::foreground_ink_offset, colour); }

void backink(K colour) { core::store_ink(core::background_ink_offset, colour); }
