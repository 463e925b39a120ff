// Placeholders for host functions not yet implemented by the stand-in host.
// Delete each one as its real implementation lands; delete the file when empty.
#include "impl.h"

namespace hostsim {
void reset_screen() {}

namespace impl {
void Basic2D_Box(int, int, int, int) { }
void Basic2D_BoxGradient(int, int, int, int, K, K, K, K) { }
void Basic2D_Circle(int, int, int) { }
void Basic2D_DotInk(int, int) { }
void Basic2D_Dot(int, int, K) { }
void Basic2D_Ink(K, K) { }
void Basic2D_Line(int, int, int, int) { }
void Basic2D_Lock() { }
K Basic2D_Rgb(int, int, int) { return 0; }
int Basic2D_RgbB(K) { return 0; }
int Basic2D_RgbG(K) { return 0; }
int Basic2D_RgbR(K) { return 0; }
void Basic2D_Unlock() { }
void Basic3D_Color(int, K) { }
void Basic3D_LockOn(int) { }
void Basic3D_SetAlphaFactor(int, float) { }
void Light_SetAmbient(int) { }
int Setup_GetDisplayHeight() { return 0; }
int Setup_GetDisplayWidth() { return 0; }
void Text_BasicText(int, int, KText) { }
int Text_TextHeight(KText) { return 0; }
int Text_TextWidth(KText) { return 0; }
}  // namespace impl
}  // namespace hostsim
