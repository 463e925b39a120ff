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

#else
#include <map>
#include <string>
#include <vector>

#include "platform_native.h"

namespace platform {
namespace {

struct NativeModule {
  std::map<std::string, void*> exports;
};

std::map<std::string, NativeModule>& modules() {
  static std::map<std::string, NativeModule> loaded;
  return loaded;
}

long long clock_seconds = 1700000000;
int double_click = 500;
std::vector<int> sleep_log;

}  // namespace

ModuleHandle find_loaded_module(const char* file_name) {
  auto found = modules().find(file_name);
  return found == modules().end() ? nullptr : &found->second;
}

void* find_export(ModuleHandle module, const char* decorated_name) {
  auto& exports = static_cast<NativeModule*>(module)->exports;
  auto found = exports.find(decorated_name);
  return found == exports.end() ? nullptr : found->second;
}

void sleep_ms(int milliseconds) { sleep_log.push_back(milliseconds > 0 ? milliseconds : 0); }

int double_click_ms() { return double_click; }

long long calendar_seconds() { return clock_seconds; }

namespace native {

void add_module(const std::string& file_name) { modules()[file_name]; }
void add_export(const std::string& file_name, const std::string& decorated_name, void* address) {
  modules()[file_name].exports[decorated_name] = address;
}
void clear_modules() { modules().clear(); }
void set_calendar_seconds(long long seconds) { clock_seconds = seconds; }
void set_double_click_ms(int milliseconds) { double_click = milliseconds; }
const std::vector<int>& sleeps() { return sleep_log; }
void clear_sleeps() { sleep_log.clear(); }

}  // namespace native
}  // namespace platform
#endif
