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
#define HOST_FN(module, field, decorated, Ret, Params)                        \
  {Module::module, #field, decorated, reinterpret_cast<void**>(&table.field), \
   reinterpret_cast<void*>(&Missing<field##_fn>::call)},
#include "host_functions.inc"
#undef HOST_FN
};

constexpr Module entry_modules[] = {
#define HOST_FN(module, field, decorated, Ret, Params) Module::module,
#include "host_functions.inc"
#undef HOST_FN
};

// Every module has entries, and they stand together, in module order.
constexpr bool grouped_in_module_order() {
  int next = 0;
  for (Module module : entry_modules) {
    if (int(module) == next)
      ++next;
    else if (int(module) != next - 1)
      return false;
  }
  return next == int(Module::Count);
}
static_assert(grouped_in_module_order(), "host_functions.inc must list the entries module by module, in Module order");

}  // namespace

Table table;
bool bound;

const Entry* entries() { return all_entries; }
int entry_count() { return int(sizeof all_entries / sizeof *all_entries); }

// The list is grouped by module in binding order (checked above, at compile
// time), so one pass asks for each module once and then for its entries in
// list order.
void bind_table() {
  bound = true;  // set first: binding runs once even if it finds nothing
  int module = -1;
  platform::ModuleHandle handle = nullptr;
  for (const Entry& entry : all_entries) {
    if (int(entry.module) != module) {
      module = int(entry.module);
      handle = platform::find_loaded_module(module_file_names[module]);
    }
    void* address = handle ? platform::find_export(handle, entry.decorated_name) : nullptr;
    *entry.slot = address ? address : entry.missing;
  }
}

}  // namespace host
