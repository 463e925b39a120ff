// Controls for the native stand-in of the platform, platform_native.cpp (not
// built for Windows).
#pragma once
#include <string>
#include <vector>

#include "platform.h"

namespace platform::native {

void add_module(const std::string& file_name);
void add_export(const std::string& file_name, const std::string& decorated_name, void* address);
void clear_modules();

void set_calendar_seconds(long long seconds);
void set_double_click_ms(int milliseconds);
const std::vector<int>& sleeps();  // every sleep requested, in order
void clear_sleeps();

// Puts the library's own state back as loading leaves it (host functions
// unbound, no core record, no key or click remembered): linked into the
// program, it cannot be loaded afresh.
void reload_library();

}  // namespace platform::native
