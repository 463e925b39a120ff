// File module: files written for real, values little-endian.
#include "file_state.h"
#include "impl.h"

namespace hostsim {

FileState file_state;

namespace {

void close_stream(OpenFile& file) {
  if (file.stream) std::fclose(file.stream);
  file.stream = nullptr;
}

// Appends the low `count` bytes of the value, lowest first.
void write_bytes(int number, int value, int count) {
  auto found = file_state.open.find(number);
  if (found == file_state.open.end()) {
    missing("file", number);
    ++file_state.refused;
    return;
  }
  std::uint8_t bytes[4];
  write_le(bytes, static_cast<std::uint32_t>(value), count);
  std::fwrite(bytes, 1, static_cast<std::size_t>(count), found->second.stream);
}

}  // namespace

void reset_files() {
  for (auto& [number, file] : file_state.open) close_stream(file);
  file_state = FileState{};
}

namespace impl {

void File_CloseFile(int number) {
  auto found = file_state.open.find(number);
  if (found == file_state.open.end()) return;
  close_stream(found->second);
  file_state.open.erase(found);
}

// Opening a number that is already open closes the earlier file first.
void File_OpenToWrite(int number, KText name) {
  File_CloseFile(number);
  const char* path = text_chars(name);
  std::FILE* stream = path ? std::fopen(path, "wb") : nullptr;
  if (!stream) {
    ++file_state.refused;
    return;
  }
  file_state.open[number] = OpenFile{path, stream};
}

void File_WriteByte(int number, int value) { write_bytes(number, value, 1); }
void File_WriteLong(int number, int value) { write_bytes(number, value, 4); }
void File_WriteWord(int number, int value) { write_bytes(number, value, 2); }

}  // namespace impl
}  // namespace hostsim
