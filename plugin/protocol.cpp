// The three exports through which the host learns about the plug-in.
#include "commands.h"
#include "core_data.h"
#include "host.h"

namespace {

// The host modules the plug-in declares as its dependencies, in the order the
// host asks for them.
const char* const dependencies[] = {
    EC_HOST_PREFIX "Basic2DDebug.dll",   EC_HOST_PREFIX "TextDebug.dll",
    EC_HOST_PREFIX "SystemDebug.dll",    EC_HOST_PREFIX "MemblocksDebug.dll",
    EC_HOST_PREFIX "Basic3DDebug.dll",   EC_HOST_PREFIX "Core.dll",
    EC_HOST_PREFIX "InputDebug.dll",     EC_HOST_PREFIX "MatrixDebug.dll",
    EC_HOST_PREFIX "CameraDebug.dll",    EC_HOST_PREFIX "SoundDebug.dll",
    EC_HOST_PREFIX "FileDebug.dll",      EC_HOST_PREFIX "ImageDebug.dll",
};
constexpr int dependency_count = int(sizeof dependencies / sizeof *dependencies);

}  // namespace

int GetNumDependencies() { return dependency_count; }

// Indices outside the list give null.
const char* GetDependencyID(int index) {
  return index >= 0 && index < dependency_count ? dependencies[index] : nullptr;
}

void ReceiveCoreDataPtr(void* record) { core::receive(record); }
