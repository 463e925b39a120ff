// The one place where the plug-in meets the operating system.
//
// On Windows these are the real calls (platform.cpp).  In native (Linux)
// builds platform_native.cpp stands in: an in-process registry for the loaded
// host modules, a clock and a double-click interval that can be set, and
// sleeping recorded instead of waited.
#pragma once
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define EC_CDECL __cdecl
#else
#define EC_CDECL
#endif

namespace platform {

using ModuleHandle = void*;

ModuleHandle find_loaded_module(const char* file_name);  // null when not loaded
void* find_export(ModuleHandle module, const char* decorated_name);
void sleep_ms(int milliseconds);  // a negative delay sleeps 0 ms
int double_click_ms();
long long calendar_seconds();  // seconds since 1 January 1970 UTC

}  // namespace platform
