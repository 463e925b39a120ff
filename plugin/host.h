// The host function table: one typed pointer per host function that a
// command calls, declared once from host_functions.inc and bound once, on the
// first command that runs the binding guard, by module file name and decorated
// export name.
//
// A function that binding does not find (its module is not loaded, or lacks
// the export) is bound to a stand-in that does nothing and yields 0, so a
// command never calls through a null entry.
#pragma once
#include "fmath.h"
#include "platform.h"

#ifndef EC_HOST_PREFIX
#define EC_HOST_PREFIX "Host"
#endif

namespace host {

// Host modules, in the order in which binding visits them.
enum class Module {
#define HOST_MODULE(module, file_name) module,
#include "host_modules.inc"
#undef HOST_MODULE
  Count
};

// Module file names, indexed by Module; the common prefix is a build setting.
inline constexpr const char* module_file_names[] = {
#define HOST_MODULE(module, file_name) EC_HOST_PREFIX file_name,
#include "host_modules.inc"
#undef HOST_MODULE
};
static_assert(sizeof module_file_names / sizeof *module_file_names == int(Module::Count));

inline const char* module_file_name(Module module) { return module_file_names[int(module)]; }

#define HOST_FN(module, field, decorated, Ret, Params) using field##_fn = Ret(EC_CDECL*) Params;
#include "host_functions.inc"
#undef HOST_FN

struct Table {
#define HOST_FN(module, field, decorated, Ret, Params) field##_fn field;
#include "host_functions.inc"
#undef HOST_FN
};

// One entry's description, for binding and for tests.
struct Entry {
  Module module;
  const char* field;
  const char* decorated_name;
  void** slot;
  void* missing;  // the do-nothing stand-in of the entry's type
};

extern Table table;
extern bool bound;  // the binding guard

const Entry* entries();
int entry_count();

void bind_table();

// The binding guard: the first step of every command but RND MIN MAX, FRONT
// INK, BACK INK and BEZIERFUNCTION, also of GET DISTANCE and SWAP, which then
// call no host function.
inline void ensure_bound() {
  if (!bound) bind_table();
}

}  // namespace host

// For a command that is the guard and then one host call with its own
// arguments, on 32-bit x86, where arguments travel on the stack.  As a tail
// call GCC would hand them over in place, but with the guard's call before
// it, it holds each in a register across that call and stores it back (seven
// arguments: eight register saves and fourteen moves on every call); as a
// plain call each argument is copied once.  Where arguments travel in
// registers the tail call is the cheaper one.
#if defined(__GNUC__) && !defined(__clang__) && defined(__i386__)
#define EC_PLAIN_HOST_CALL [[gnu::optimize("no-optimize-sibling-calls")]]
#else
#define EC_PLAIN_HOST_CALL
#endif

// Commands call the host through the table: `H.Box(x1, y1, x2, y2)`.
inline host::Table& H = host::table;

// An object's position as the 3D module reports it, read x, then y, then z.
inline Vec3 object_position(int object) {
  float x = as_float(H.GetXPositionEx(object));
  float y = as_float(H.GetYPositionEx(object));
  float z = as_float(H.GetZPositionEx(object));
  return {x, y, z};
}
