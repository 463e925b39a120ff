// Memblocks module: blocks of real bytes, and their copies of images and
// sounds.
#include <cstring>

#include "impl.h"
#include "memblocks_state.h"
#include "sound_state.h"

namespace hostsim {

Storage storage;

namespace {

// The memblock a host function needs; a missing one is reported.
std::vector<std::uint8_t>* need_memblock(int number) {
  auto found = storage.memblocks.find(number);
  return reported(found == storage.memblocks.end() ? nullptr : &found->second, "memblock", number);
}

// The memblock's bytes [offset, offset + size), or null (and counted) when
// the block is missing or the range does not lie inside it.
std::uint8_t* bytes_at(int number, int offset, int size) {
  std::vector<std::uint8_t>* block = need_memblock(number);
  if (!block || offset < 0 || static_cast<std::size_t>(offset) + size > block->size()) {
    ++storage.refused;
    return nullptr;
  }
  return block->data() + offset;
}

std::uint32_t read32(const std::uint8_t* at) { return read_le(at, 4); }
void write32(std::uint8_t* at, std::uint32_t value) { write_le(at, value, 4); }

}  // namespace

void reset_memblocks() {
  storage.memblocks.clear();
  storage.refused = 0;
}

std::vector<std::uint8_t> memblock_from_image(const Image& image) {
  std::vector<std::uint8_t> bytes(12 + 4 * image.pixels.size());
  write32(&bytes[0], static_cast<std::uint32_t>(image.width));
  write32(&bytes[4], static_cast<std::uint32_t>(image.height));
  write32(&bytes[8], static_cast<std::uint32_t>(image.depth));
  for (std::size_t i = 0; i < image.pixels.size(); ++i) write32(&bytes[12 + 4 * i], image.pixels[i]);
  return bytes;
}

Image image_from_memblock(const std::vector<std::uint8_t>& bytes) {
  Image image;
  if (bytes.size() < 12) return image;
  std::int32_t width = static_cast<std::int32_t>(read32(&bytes[0]));
  std::int32_t height = static_cast<std::int32_t>(read32(&bytes[4]));
  if (width <= 0 || height <= 0 || (bytes.size() - 12) / 4 / std::size_t(width) < std::size_t(height)) return image;
  image.width = width, image.height = height;
  image.depth = static_cast<int>(read32(&bytes[8]));
  image.pixels.resize(std::size_t(width) * std::size_t(height));
  for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = read32(&bytes[12 + 4 * i]);
  return image;
}

namespace impl {

void Memblocks_CopyMemblock(int from, int to, int from_offset, int to_offset, int size) {
  if (size <= 0) return;
  std::uint8_t* source = bytes_at(from, from_offset, size);
  std::uint8_t* target = bytes_at(to, to_offset, size);
  if (source && target) std::memmove(target, source, std::size_t(size));
}

void Memblocks_CreateImageFromMemblock(int image, int number) {
  std::vector<std::uint8_t>* block = need_memblock(number);
  storage.images[image] = block ? image_from_memblock(*block) : Image{};
}

void Memblocks_CreateMemblockFromImage(int number, int image) {
  auto found = storage.images.find(image);
  if (found == storage.images.end()) missing("image", image);
  storage.memblocks[number] =
      found == storage.images.end() ? std::vector<std::uint8_t>{} : memblock_from_image(found->second);
}

// A sound that does not exist gives an empty memblock.
void Memblocks_CreateMemblockFromSound(int number, int sound) {
  auto found = sound_state.sounds.find(sound);
  if (found == sound_state.sounds.end()) missing("sound", sound);
  storage.memblocks[number] =
      found == sound_state.sounds.end() ? std::vector<std::uint8_t>{} : memblock_from_sound(found->second);
}

void Memblocks_DeleteMemblock(int number) { storage.memblocks.erase(number); }
int Memblocks_GetMemblockSize(int number) {
  std::vector<std::uint8_t>* block = need_memblock(number);
  return block ? static_cast<int>(block->size()) : 0;
}
void Memblocks_MakeMemblock(int number, int size) {
  storage.memblocks[number] = std::vector<std::uint8_t>(size > 0 ? std::size_t(size) : 0);
}

int Memblocks_ReadMemblockByte(int number, int offset) {
  std::uint8_t* at = bytes_at(number, offset, 1);
  return at ? *at : 0;
}
K Memblocks_ReadMemblockDWord(int number, int offset) {
  std::uint8_t* at = bytes_at(number, offset, 4);
  return at ? read32(at) : 0;
}
void Memblocks_WriteMemblockByte(int number, int offset, int value) {
  if (std::uint8_t* at = bytes_at(number, offset, 1)) *at = static_cast<std::uint8_t>(value);
}
void Memblocks_WriteMemblockDWord(int number, int offset, K value) {
  if (std::uint8_t* at = bytes_at(number, offset, 4)) write32(at, value);
}

}  // namespace impl
}  // namespace hostsim
