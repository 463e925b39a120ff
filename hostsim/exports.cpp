// The stand-in host's exports: hs_<Module>_<field>, one per host table entry.
// Each logs its call and runs the implementation.  Natively they are
// registered with the platform stand-in; on Windows the module DLLs forward
// their decorated names to them.
#include <algorithm>
#include <cstdio>
#include <string>
#include <type_traits>

#include "../plugin/host.h"
#include "hostsim.h"
#include "impl.h"
#include "params.h"

#if defined(_WIN32)
#include <windows.h>
#define HS_EXPORT extern "C" __declspec(dllexport)
#else
#include "../plugin/platform_native.h"
#define HS_EXPORT extern "C"
#endif

namespace hostsim {

void append_log(std::string line);

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
    return format_arg(reinterpret_cast<char*>(value));
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

}  // namespace
}  // namespace hostsim

#define HOST_FN(module, field, decorated, Ret, Params)          \
  HS_EXPORT Ret hs_##module##_##field(HS_NAMED Params) {        \
    hostsim::record(#module, decorated HS_COMMA Params HS_ARGS Params); \
    return hostsim::impl::module##_##field(HS_ARGS Params);     \
  }
#define HS_COMMA(...) __VA_OPT__(, )
#include "../plugin/host_functions.inc"
#undef HOST_FN

namespace hostsim {

void set_logging(bool on) { logging = on; }

bool load_modules(const LoadOptions& options) {
  auto skipped = [&](const char* file) {
    return std::find(options.skip_modules.begin(), options.skip_modules.end(), file) !=
           options.skip_modules.end();
  };
#if defined(_WIN32)
  if (!options.strip_exports.empty()) return false;
  for (const char* file : host::module_file_names)
    if (!skipped(file) && !LoadLibraryA(file)) return false;
  return true;
#else
  platform::native::clear_modules();
  auto stripped = [&](const char* name) {
    return std::find(options.strip_exports.begin(), options.strip_exports.end(), name) !=
           options.strip_exports.end();
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
