// State of the stand-in sound module: sounds with their PCM format and
// sample bytes, loaded from WAV files or set by tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hostsim.h"

namespace hostsim {

struct Sound {
  int format_tag = 1;  // 1: PCM
  int channels = 1;
  int samples_per_second = 22050;
  int bytes_per_second = 22050;
  int block_align = 1;
  int bits_per_sample = 8;
  std::vector<std::uint8_t> samples;  // the data chunk's bytes
  bool playing = false;
  // Bytes of the memblock copy kept: less than the layout's header stands for
  // a host whose copy of a sound comes out short.
  std::size_t memblock_limit = SIZE_MAX;
};

struct SoundState {
  std::map<int, Sound> sounds;
};

HS_API extern SoundState sound_state;

// Loads a PCM RIFF WAVE file as the sound; false (and no sound) when the file
// cannot be read or is not PCM WAVE.
HS_API bool load_sound(int number, const std::string& path);

// The sound memblock layout: format tag, channels, samples per second, bytes
// per second, block alignment, bits per sample and the sample byte count as
// 32-bit values at bytes 0..24, then the samples from byte 28.
HS_API std::vector<std::uint8_t> memblock_from_sound(const Sound& sound);

}  // namespace hostsim
