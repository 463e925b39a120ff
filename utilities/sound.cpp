// SAVESOUND, END SOUND.
//
// SAVESOUND has the host copy a sound into a memblock (format fields as 32-bit
// values at bytes 0..20, the samples from byte 28 on) and writes it out as a
// RIFF WAVE file, one host file write per field, front to back.
#include "../plugin/commands.h"
#include "../plugin/host.h"
#include "../plugin/scratch.h"

namespace {

constexpr int sound_header_bytes = 28;
constexpr int wav_header_bytes = 44;
constexpr int riff_preamble_bytes = 8;  // "RIFF" and the length that follows it
constexpr int fmt_chunk_bytes = 16;

constexpr int four_cc(const char (&code)[5]) {
  return static_cast<int>(static_cast<unsigned>(code[0]) | static_cast<unsigned>(code[1]) << 8 |
                          static_cast<unsigned>(code[2]) << 16 | static_cast<unsigned>(code[3]) << 24);
}

// Sample bytes in a sound memblock of `size` bytes; a block too short for
// its header holds none.
int sample_bytes(int size) { return size < sound_header_bytes ? 0 : size - sound_header_bytes; }

// A format field of the memblock; one the block is too short to hold is 0.
int format_field(int offset, int size) {
  if (size < offset + 4) return 0;
  return static_cast<int>(H.ReadMemblockDWord(scratch::sound_block, offset));
}

}  // namespace

void savesound(int sound, char* file_name) {
  host::ensure_bound();
  H.CreateMemblockFromSound(scratch::sound_block, sound);
  H.OpenToWrite(scratch::sound_file, as_ktext(file_name));
  H.WriteLong(scratch::sound_file, four_cc("RIFF"));
  int size = H.GetMemblockSize(scratch::sound_block);
  int riff_length = wrap_add(wav_header_bytes - riff_preamble_bytes, sample_bytes(size));
  H.WriteLong(scratch::sound_file, riff_length);
  H.WriteLong(scratch::sound_file, four_cc("WAVE"));
  H.WriteLong(scratch::sound_file, four_cc("fmt "));
  H.WriteLong(scratch::sound_file, fmt_chunk_bytes);
  H.WriteWord(scratch::sound_file, format_field(0, size));   // format tag
  H.WriteWord(scratch::sound_file, format_field(4, size));   // channels
  H.WriteLong(scratch::sound_file, format_field(8, size));   // samples per second
  H.WriteLong(scratch::sound_file, format_field(12, size));  // average bytes per second
  H.WriteWord(scratch::sound_file, format_field(16, size));  // block alignment
  H.WriteWord(scratch::sound_file, format_field(20, size));  // bits per sample
  // The size is asked again on purpose.
  int data_length = sample_bytes(H.GetMemblockSize(scratch::sound_block));
  H.WriteLong(scratch::sound_file, four_cc("data"));
  H.WriteLong(scratch::sound_file, data_length);
  for (int i = 0; i < data_length; ++i)
    H.WriteByte(scratch::sound_file, H.ReadMemblockByte(scratch::sound_block, sound_header_bytes + i));
  H.CloseFile(scratch::sound_file);
  H.DeleteMemblock(scratch::sound_block);
}

// Stops the sound only when it is not playing.
void endsound(int sound) {
  host::ensure_bound();
  if (H.GetSoundPlaying(sound) == 0) H.StopSound(sound);
}
