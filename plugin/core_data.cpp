#include "core_data.h"

#include <cstring>

namespace core {

void receive(void* new_record) { record = static_cast<unsigned char*>(new_record); }

bool handed_over() { return record != nullptr; }

KText string_result(const char* text) {
  if (!record) return KText{};
  if (!text) text = "";
  std::size_t length = std::strlen(text);
  char* buffer = nullptr;
  allocator()(&buffer, static_cast<int>(length + 1));
  if (!buffer) return KText{};
  std::memcpy(buffer, text, length + 1);
  return as_ktext(buffer);
}

void store_ink(std::size_t offset, K colour) {
  if (record) std::memcpy(record + offset, &colour, sizeof colour);
}

}  // namespace core
