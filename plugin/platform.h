// The one place where the plug-in meets the operating system.
//
// On Windows these are the real calls.  In native (Linux) builds an in-process
// registry stands in for the loaded host modules, the clock and the double-click
// interval can be set, and sleeping is recorded instead of waited.
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
