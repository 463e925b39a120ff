// The native builds' stand-in for the operating system: an in-process
// registry of modules and their exports serves the module look-up, the clock
// and the double-click interval are set by tests, and sleeps are recorded
// instead of waited.
#include "platform_native.h"

#ifndef _WIN32
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../utilities/input.h"
#include "core_data.h"
#include "host.h"

namespace platform {
namespace {

// A list of named things sorted by name: looked up by a C string, which
// allocates nothing; only registration allocates.
template <class T>
struct Named {
  std::string name;
  T value;
};

template <class T>
using NameList = std::vector<Named<T> >;

template <class T>
auto position(NameList<T>& list, const char* name) {
  return std::lower_bound(list.begin(), list.end(), name, [](const Named<T>& item, const char* key) {
    return std::strcmp(item.name.c_str(), key) < 0;
  });
}

template <class T>
T* find_named(NameList<T>& list, const char* name) {
  auto at = position(list, name);
  return at != list.end() && at->name == name ? &at->value : nullptr;
}

template <class T>
T& named(NameList<T>& list, const std::string& name) {
  auto at = position(list, name.c_str());
  if (at == list.end() || at->name != name) at = list.insert(at, Named<T>{name, T{}});
  return at->value;
}

struct NativeModule {
  NameList<void*> exports;
};

// A module's handle stays valid until the next module is registered.
NameList<NativeModule>& modules() {
  static NameList<NativeModule> loaded;
  return loaded;
}

long long clock_seconds = 1700000000;
int double_click = 500;
std::vector<int> sleep_log;

}  // namespace

ModuleHandle find_loaded_module(const char* file_name) { return find_named(modules(), file_name); }

void* find_export(ModuleHandle module, const char* decorated_name) {
  void** address = find_named(static_cast<NativeModule*>(module)->exports, decorated_name);
  return address ? *address : nullptr;
}

void sleep_ms(int milliseconds) { sleep_log.push_back(milliseconds > 0 ? milliseconds : 0); }

int double_click_ms() { return double_click; }

long long calendar_seconds() { return clock_seconds; }

namespace native {

void add_module(const std::string& file_name) { named(modules(), file_name); }
void add_export(const std::string& file_name, const std::string& decorated_name, void* address) {
  named(named(modules(), file_name).exports, decorated_name) = address;
}
void clear_modules() { modules().clear(); }
void set_calendar_seconds(long long seconds) { clock_seconds = seconds; }
void set_double_click_ms(int milliseconds) { double_click = milliseconds; }
const std::vector<int>& sleeps() { return sleep_log; }
void clear_sleeps() { sleep_log.clear(); }

void reload_library() {
  host::table = {};
  host::bound = false;
  core::receive(nullptr);
  input::reset_state();
}

}  // namespace native
}  // namespace platform
#endif
