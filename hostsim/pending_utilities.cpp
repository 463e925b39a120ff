// Placeholders for host functions not yet implemented by the stand-in host.
// Delete each one as its real implementation lands; delete the file when empty.
#include "impl.h"

namespace hostsim {
void reset_files() {}
void reset_sounds() {}
void reset_matrices() {}

namespace impl {
void File_CloseFile(int) { }
void File_OpenToWrite(int, KText) { }
void File_WriteByte(int, int) { }
void File_WriteLong(int, int) { }
void File_WriteWord(int, int) { }
void Image_ImageLock(int) { }
void Image_ImageUnlock(int) { }
void Image_ImageWrite(int, int, int, int, int, int, int) { }
void Matrix_Apply(int) { }
K Matrix_GetHeightEx(int, int, int) { return 0; }
void Matrix_SetHeight(int, int, int, float) { }
void Matrix_SetNormal(int, int, int, float, float, float) { }
void Memblocks_CreateMemblockFromSound(int, int) { }
int Sound_GetSoundPlaying(int) { return 0; }
void Sound_StopSound(int) { }
}  // namespace impl
}  // namespace hostsim
