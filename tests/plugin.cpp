#include "plugin.h"

#if defined(_WIN32)
#include <windows.h>

void* plugin::find_export(const char* decorated_name) {
  static HMODULE library = LoadLibraryA("ExtraCommands.dll");
  return library ? reinterpret_cast<void*>(GetProcAddress(library, decorated_name)) : nullptr;
}
#else
#include "../plugin/exports.h"

void* plugin::find_export(const char* decorated_name) { return exports::find(decorated_name); }
#endif

void plugin::HostTest::hand_over_record() { cmd::ReceiveCoreDataPtr(hostsim::core_record()); }
