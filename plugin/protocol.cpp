// The three exports through which the host learns about the plug-in.
#include "commands.h"
#include "core_data.h"
#include "host.h"

namespace {

// The host modules the plug-in declares as its dependencies, in the order the
// host asks for them.
constexpr host::Module dependencies[] = {
    host::Module::Basic2D, host::Module::Text,  host::Module::System, host::Module::Memblocks,
    host::Module::Basic3D, host::Module::Core,  host::Module::Input,  host::Module::Matrix,
    host::Module::Camera,  host::Module::Sound, host::Module::File,   host::Module::Image,
};
constexpr int dependency_count = int(sizeof dependencies / sizeof *dependencies);

}  // namespace

int GetNumDependencies() { return dependency_count; }

// Indices outside the list give null.
const char* GetDependencyID(int index) {
  return index >= 0 && index < dependency_count ? host::module_file_name(dependencies[index]) : nullptr;
}

void ReceiveCoreDataPtr(void* record) { core::receive(record); }
