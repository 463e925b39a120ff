// The host's core data record: the plug-in uses its string allocator (at the
// start of the record) and the foreground and background ink fields.
#pragma once
#include <cstddef>

#include "fmath.h"
#include "platform.h"

namespace core {

// slot: a variable holding a char pointer; size > 0 makes a new host text in
// it, size 0 gives the text in it back to the host.
using StringAllocator = void(EC_CDECL*)(char** slot, int size);

constexpr std::size_t foreground_ink_offset = 788;
constexpr std::size_t background_ink_offset = 792;

void receive(void* record);
bool handed_over();

// The record as the host handed it over; null before.
inline unsigned char* record;

inline StringAllocator allocator() {
  StringAllocator allocate;
  std::memcpy(&allocate, record, sizeof allocate);
  return allocate;
}

// Gives the host's text in `slot` back (size 0).  Does nothing before the host
// has handed over its record.  Inline, as the text commands' first step.
inline void give_back(char** slot) {
  if (record) allocator()(slot, 0);
}

// A host-owned copy of `text` (null is taken as empty), as a text result (the
// copy's address); 0 before the host has handed over its record.
KText string_result(const char* text);

// Writes one of the ink fields; does nothing before the record is handed over.
void store_ink(std::size_t offset, K colour);

}  // namespace core
