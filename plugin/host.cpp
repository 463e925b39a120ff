#include "host.h"

namespace host {
namespace {

template <class F>
struct Missing;
template <class R, class... A>
struct Missing<R(EC_CDECL*)(A...)> {
  static R EC_CDECL call(A...) { return R(); }
};

const Entry all_entries[] = {
#define HOST_FN(module, field, decorated, Ret, Params)                                      \
  {Module::module, #field, decorated, reinterpret_cast<void**>(&table.field),               \
   reinterpret_cast<void*>(&Missing<field##_fn>::call)},
#include "host_functions.inc"
#undef HOST_FN
};

}  // namespace

Table table;
bool bound;

const Entry* entries() { return all_entries; }
int entry_count() { return int(sizeof all_entries / sizeof *all_entries); }

void bind_table() {
  bound = true;  // set first: binding runs once even if it finds nothing
  for (int m = 0; m < int(Module::Count); ++m) {
    platform::ModuleHandle handle = platform::find_loaded_module(module_file_names[m]);
    for (const Entry& entry : all_entries) {
      if (int(entry.module) != m) continue;
      void* address = handle ? platform::find_export(handle, entry.decorated_name) : nullptr;
      *entry.slot = address ? address : entry.missing;
    }
  }
}

}  // namespace host
