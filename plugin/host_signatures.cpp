// Compile-time proof that every host table entry's C++ type matches the
// decorated name it is bound by.
#include "decoration.h"
#include "host.h"

namespace {

template <class F>
struct Plain;
template <class R, class... A>
struct Plain<R(EC_CDECL*)(A...)> {
  using type = R(A...);
};

constexpr std::string_view host_plain(std::string_view decorated) { return decoration::plain_name(decorated); }

#define HOST_FN(module, field, decorated, Ret, Params)                                                                \
  static_assert(decoration::from_signature<Plain<host::field##_fn>::type>(host_plain(decorated)).view() == decorated, \
                "host function " #field " does not match " decorated);
#include "host_functions.inc"
#undef HOST_FN

}  // namespace
