// Test access to the plug-in the way a host has it: exports are found by
// decorated name (the DLL's export table on Windows, the export registry in
// native builds) and called through typed pointers.
//
//   cmd::rotate_axis(1, 0.f, 1.f, 0.f, 45.f);
#pragma once
#include <cstring>
#include <gtest/gtest.h>

#include <string>

#include "../hostsim/core_state.h"
#include "../hostsim/hostsim.h"
#include "../plugin/commands.h"
#include "../plugin/decoration.h"

namespace plugin {

void* find_export(const char* decorated_name);  // null if the library lacks it

template <class F>
struct Export;
template <class R, class... A>
struct Export<R(A...)> {
  const char* decorated;
  R operator()(A... args) const {
    auto function = reinterpret_cast<R(EC_CDECL*)(A...)>(find_export(decorated));
    if (!function) throw std::runtime_error(std::string("no export ") + decorated);
    return function(args...);
  }
};

// The decorated name in a row, as a NUL-terminated text.
constexpr const char* decorated_of(const char* row) {
  const char* at = row;
  int marks = 0;
  while (marks < 2) marks += *at++ == '%';
  return at;
}

inline float as_float(K bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

inline std::string text(KText value) { return value ? reinterpret_cast<const char*>(value) : "<null>"; }

// A fresh host with every module loaded and its core record handed over.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::reset();
    ASSERT_TRUE(hostsim::load_modules());
  }
  void hand_over_record();
};

}  // namespace plugin

namespace cmd {
#define EC_COMMAND(id, function, row) \
  inline constexpr plugin::Export<decltype(::function)> function{plugin::decorated_of(row)};
#include "../plugin/command_list.inc"
#undef EC_COMMAND
inline constexpr plugin::Export<decltype(::GetNumDependencies)> GetNumDependencies{"?GetNumDependencies@@YAHXZ"};
inline constexpr plugin::Export<decltype(::GetDependencyID)> GetDependencyID{"?GetDependencyID@@YAPBDH@Z"};
inline constexpr plugin::Export<decltype(::ReceiveCoreDataPtr)> ReceiveCoreDataPtr{"?ReceiveCoreDataPtr@@YAXPAX@Z"};
}  // namespace cmd
