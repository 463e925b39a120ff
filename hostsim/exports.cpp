// The stand-in host's exports: hs_<Module>_<field>, one per host table entry.
// Each logs its call and runs the implementation.  Natively they are
// registered with the platform stand-in; on Windows the module DLLs forward
// their decorated names to them.  Also the call log and the host's reset.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "../plugin/host.h"
#include "hostsim.h"
#include "impl.h"
#include "missing.h"
#include "params.h"

#if defined(_WIN32)
#include <windows.h>
#define HS_EXPORT extern "C" __declspec(dllexport)
#else
#include "../plugin/platform_native.h"
#define HS_EXPORT extern "C"
#endif

namespace hostsim {
namespace {

std::vector<std::string> call_log;
const char* calling = nullptr;  // the host function being called, by its name in the list

}  // namespace

void (*on_missing)(const Missing& missing) = nullptr;

void append_log(std::string line) { call_log.push_back(std::move(line)); }

void missing(std::string resource) {
  if (calling && on_missing) on_missing({calling, std::move(resource)});
}

void missing(const char* kind, int number) { missing(kind + (' ' + std::to_string(number))); }

const std::vector<std::string>& log() { return call_log; }

std::vector<std::string> log_of(const std::string& function) {
  std::vector<std::string> lines;
  for (const std::string& line : call_log) {
    std::size_t dot = line.find('.'), open = line.find('(');
    if (line.compare(dot + 1, open - dot - 1, function) == 0) lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> log_without(const std::vector<std::string>& functions) {
  std::vector<std::string> lines;
  for (const std::string& line : call_log) {
    std::size_t dot = line.find('.'), open = line.find('(');
    std::string name = line.substr(dot + 1, open - dot - 1);
    bool dropped = false;
    for (const std::string& function : functions) dropped = dropped || function == name;
    if (!dropped) lines.push_back(line);
  }
  return lines;
}

void clear_log() { call_log.clear(); }

std::string format_float(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

void reset() {
  call_log.clear();
  reset_core();
  reset_text();
  reset_screen();
  reset_objects();
  reset_camera();
  reset_input();
  reset_images();
  reset_memblocks();
  reset_files();
  reset_sounds();
  reset_matrices();
  reset_bitmaps();
  reset_system();
}

namespace {

std::string format_arg(int value) { return std::to_string(value); }
std::string format_arg(float value) { return format_float(value); }
std::string format_arg(char* text) { return text ? '"' + std::string(text) + '"' : "0"; }

template <class T>
std::string format_arg(T value) {
  if constexpr (std::is_same_v<T, K>) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(value));
    return hex;
  } else {
    static_assert(std::is_same_v<T, KText>);
    return format_arg(text_chars(value));
  }
}

bool logging = true;

template <class... A>
void record(const char* module, const char* decorated, A... args) {
  if (!logging) return;
  std::string name(decorated + 1, std::string(decorated).find("@@") - 1);
  std::string line = std::string(module) + '.' + name + '(';
  bool first = true;
  ((line += (first ? "" : ","), line += format_arg(args), first = false), ...);
  append_log(line + ')');
}

// Names the host function being called for the length of its call.
class Calling {
 public:
  explicit Calling(const char* function) : outer_(calling) { calling = function; }
  ~Calling() { calling = outer_; }
  Calling(const Calling&) = delete;
  Calling& operator=(const Calling&) = delete;

 private:
  const char* outer_;
};

}  // namespace
}  // namespace hostsim

#define HOST_FN(module, field, decorated, Ret, Params)                  \
  HS_EXPORT Ret hs_##module##_##field(HS_NAMED Params) {                \
    hostsim::Calling named(#field);                                     \
    hostsim::record(#module, decorated HS_COMMA Params HS_ARGS Params); \
    return hostsim::impl::module##_##field(HS_ARGS Params);             \
  }
#define HS_COMMA(...) __VA_OPT__(, )
#include "../plugin/host_functions.inc"
#undef HOST_FN

namespace hostsim {

void set_logging(bool on) { logging = on; }

#if defined(_WIN32)
namespace {

// An export name cut short in a loaded module, and the character cut off.
struct HiddenName {
  char* entry;
  char last;
};

std::vector<HiddenName> hidden_names;

// Writes one character of a module's export name table.
void write_name_char(char* at, char value) {
  DWORD old_protection;
  VirtualProtect(at, 1, PAGE_READWRITE, &old_protection);
  *at = value;
  VirtualProtect(at, 1, old_protection, &old_protection);
}

// Hides one export of a loaded module from GetProcAddress by cutting the
// last character off its name in the module's export name table.  The
// shortened name sorts just before the full one, so the table stays sorted
// for the loader's binary search.
void hide_export(HMODULE module, const char* name) {
  auto base = reinterpret_cast<unsigned char*>(module);
  auto dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (!directory.VirtualAddress) return;
  auto exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  auto names = reinterpret_cast<DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    char* entry = reinterpret_cast<char*>(base + names[i]);
    if (std::strcmp(entry, name) != 0) continue;
    char* last = entry + std::strlen(entry) - 1;
    hidden_names.push_back({last, *last});
    write_name_char(last, '\0');
  }
}

// Gives every hidden export its full name back.
void unhide_exports() {
  for (const HiddenName& name : hidden_names) write_name_char(name.entry, name.last);
  hidden_names.clear();
}

}  // namespace
#endif

bool load_modules(const LoadOptions& options) {
  auto skipped = [&](const char* file) {
    return std::find(options.skip_modules.begin(), options.skip_modules.end(), file) != options.skip_modules.end();
  };
#if defined(_WIN32)
  // Modules stay loaded from one call to the next (loading them is most of
  // a test's time under Wine): the exports an earlier call hid come back, a
  // module now skipped is unloaded, so that it is really absent, and only the
  // missing ones are loaded.  A module DLL has no state of its own (only the
  // compiler's start-up code and forwarders to this library), so one kept
  // loaded is as one loaded afresh.
  static HMODULE loaded[int(host::Module::Count)];
  unhide_exports();
  for (int m = 0; m < int(host::Module::Count); ++m) {
    HMODULE& module = loaded[m];
    if (skipped(host::module_file_names[m])) {
      if (module) FreeLibrary(module), module = nullptr;
    } else if (!module && !(module = LoadLibraryA(host::module_file_names[m]))) {
      return false;
    }
  }
  for (const std::string& name : options.strip_exports)
    for (HMODULE module : loaded)
      if (module) hide_export(module, name.c_str());
  return true;
#else
  platform::native::clear_modules();
  auto stripped = [&](const char* name) {
    return std::find(options.strip_exports.begin(), options.strip_exports.end(), name) != options.strip_exports.end();
  };
  auto add = [&](host::Module module, const char* decorated, void* address) {
    const char* file = host::module_file_name(module);
    if (skipped(file)) return;
    platform::native::add_module(file);
    if (!stripped(decorated)) platform::native::add_export(file, decorated, address);
  };
#define HOST_FN(module, field, decorated, Ret, Params) \
  add(host::Module::module, decorated, reinterpret_cast<void*>(&hs_##module##_##field));
#include "../plugin/host_functions.inc"
#undef HOST_FN
  return true;
#endif
}

}  // namespace hostsim
