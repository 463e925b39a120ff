// Sound module: PCM sounds loaded from WAV files, their playing state, and
// the memblock layout of a sound.
#include <fstream>
#include <iterator>

#include "impl.h"
#include "sound_state.h"

namespace hostsim {

SoundState sound_state;

void reset_sounds() { sound_state = SoundState{}; }

namespace {

constexpr int pcm = 1;
constexpr int extensible = 0xFFFE;  // the real tag is the sub-format's first two bytes
constexpr std::size_t sub_format_at = 24;

std::uint32_t read_le(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
  return hostsim::read_le(&bytes[at], count);
}

bool tag_is(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* tag) {
  for (int i = 0; i < 4; ++i)
    if (bytes[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  return true;
}

bool read_format(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t size, Sound& sound) {
  if (size < 16) return false;
  sound.format_tag = static_cast<int>(read_le(bytes, at, 2));
  sound.channels = static_cast<int>(read_le(bytes, at + 2, 2));
  sound.samples_per_second = static_cast<int>(read_le(bytes, at + 4, 4));
  sound.bytes_per_second = static_cast<int>(read_le(bytes, at + 8, 4));
  sound.block_align = static_cast<int>(read_le(bytes, at + 12, 2));
  sound.bits_per_sample = static_cast<int>(read_le(bytes, at + 14, 2));
  if (sound.format_tag == extensible && size >= sub_format_at + 2)
    sound.format_tag = static_cast<int>(read_le(bytes, at + sub_format_at, 2));
  return sound.format_tag == pcm;
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, int value) {
  write_le(&bytes[at], static_cast<std::uint32_t>(value), 4);
}

}  // namespace

bool load_sound(int number, const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (bytes.size() < 12 || !tag_is(bytes, 0, "RIFF") || !tag_is(bytes, 8, "WAVE")) return false;
  Sound sound;
  bool has_format = false, has_data = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    std::size_t size = read_le(bytes, at + 4, 4);
    std::size_t body = at + 8;
    if (size > bytes.size() - body) size = bytes.size() - body;  // a truncated last chunk
    if (tag_is(bytes, at, "fmt ")) {
      if (!read_format(bytes, body, size, sound)) return false;
      has_format = true;
    } else if (tag_is(bytes, at, "data")) {
      sound.samples.assign(bytes.begin() + body, bytes.begin() + body + size);
      has_data = true;
    }
    at = body + size + (size & 1);  // chunks are padded to an even length
  }
  if (!has_format || !has_data) return false;
  sound_state.sounds[number] = std::move(sound);
  return true;
}

std::vector<std::uint8_t> memblock_from_sound(const Sound& sound) {
  std::vector<std::uint8_t> bytes(28 + sound.samples.size());
  put32(bytes, 0, sound.format_tag);
  put32(bytes, 4, sound.channels);
  put32(bytes, 8, sound.samples_per_second);
  put32(bytes, 12, sound.bytes_per_second);
  put32(bytes, 16, sound.block_align);
  put32(bytes, 20, sound.bits_per_sample);
  put32(bytes, 24, static_cast<int>(sound.samples.size()));
  std::copy(sound.samples.begin(), sound.samples.end(), bytes.begin() + 28);
  if (bytes.size() > sound.memblock_limit) bytes.resize(sound.memblock_limit);
  return bytes;
}

namespace {

// The sound a host function needs; a missing one is reported.
Sound* need_sound(int number) {
  auto found = sound_state.sounds.find(number);
  return reported(found == sound_state.sounds.end() ? nullptr : &found->second, "sound", number);
}

}  // namespace

namespace impl {

int Sound_GetSoundPlaying(int number) {
  Sound* sound = need_sound(number);
  return sound && sound->playing ? 1 : 0;
}

void Sound_StopSound(int number) {
  if (Sound* sound = need_sound(number)) sound->playing = false;
}

}  // namespace impl
}  // namespace hostsim
