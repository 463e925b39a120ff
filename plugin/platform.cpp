// The operating system's calls, as the shipped DLL makes them (the native
// builds' stand-in is platform_native.cpp).
#include "platform.h"

#ifdef _WIN32
#include <windows.h>

#include <ctime>

namespace platform {

ModuleHandle find_loaded_module(const char* file_name) {
  return reinterpret_cast<ModuleHandle>(GetModuleHandleA(file_name));
}

void* find_export(ModuleHandle module, const char* decorated_name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), decorated_name));
}

void sleep_ms(int milliseconds) { Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0); }

int double_click_ms() { return static_cast<int>(GetDoubleClickTime()); }

long long calendar_seconds() { return static_cast<long long>(std::time(nullptr)); }

}  // namespace platform
#endif
