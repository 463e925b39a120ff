// Placeholders for host functions not yet implemented by the stand-in host.
// Delete each one as its real implementation lands; delete the file when empty.
#include "impl.h"

namespace hostsim {
void reset_bitmaps() {}
void reset_system() {}

namespace impl {
void Basic3D_AddLimb(int, int, int) { }
void Basic3D_CalculateObjectBounds(int) { }
void Basic3D_DeleteMesh(int) { }
int Basic3D_GetMeshExist(int) { return 0; }
int Basic3D_GetScreenX(int) { return 0; }
int Basic3D_GetScreenY(int) { return 0; }
K Basic3D_GetVertexDataPositionX(int) { return 0; }
K Basic3D_GetVertexDataPositionY(int) { return 0; }
K Basic3D_GetVertexDataPositionZ(int) { return 0; }
int Basic3D_GetVertexDataVertexCount() { return 0; }
void Basic3D_LockVertexDataForLimbCore(int, int, int) { }
void Basic3D_MakeCube(int, float) { }
void Basic3D_MakeMeshFromObject(int, int) { }
void Basic3D_MakeObject(int, int, int) { }
void Basic3D_MakeSphere(int, float, int, int) { }
void Basic3D_MakeTriangle(int, float, float, float, float, float, float, float, float, float) { }
void Basic3D_PerformCheckListForLimbs(int) { }
void Basic3D_Scale(int, float, float, float) { }
void Basic3D_Set(int, int, int, int) { }
void Basic3D_SetTexture(int, int) { }
void Basic3D_SetVertexDataPosition(int, float, float, float) { }
void Basic3D_UnlockVertexData() { }
void Bitmap_CreateBitmap(int, int, int) { }
void Bitmap_DeleteBitmapEx(int) { }
void Image_GrabImageEx(int, int, int, int, int) { }
int System_ChecklistQuantity() { return 0; }
void System_EmptyChecklist() { }
}  // namespace impl
}  // namespace hostsim
