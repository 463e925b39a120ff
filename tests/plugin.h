// Test access to the plug-in the way a host has it: exports are found by
// decorated name (the DLL's export table on Windows, the export registry in
// native builds) and called through typed pointers.
//
//   cmd::rotate_axis(1, 0.f, 1.f, 0.f, 45.f);
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "../hostsim/core_state.h"
#include "../hostsim/hostsim.h"
#include "../plugin/commands.h"
#include "../plugin/decoration.h"

// Lines of the stand-in host's log, in order.
using Lines = std::vector<std::string>;

namespace plugin {

void* find_export(const char* decorated_name);  // null if the library lacks it

// Windows: unloads the plug-in and loads it again, so that its process-wide
// state (binding guard, key table, ...) is as a freshly started host has it.
// Runs before every test.
void load_fresh();

#if defined(_WIN32) && !defined(_WIN64)
// On i686 every argument of a command is one 4-byte stack slot and the
// result comes back in EAX.  Exports are called through a thunk that records
// what a cdecl callee must leave as it found it; a failure names the export.
struct CallState {
  std::uint32_t control_word, mxcsr, esp;       // before the call
  std::uint32_t esp_after, fpu_environment[7];  // right after it
  std::uint32_t control_word_after, mxcsr_after, esi_after, edi_after;
};
extern "C" std::uint32_t ec_checked_call(void* function, const std::uint32_t* slots, int count, CallState* state);
void check_call_state(const char* decorated_name, const CallState& state);

template <class T>
std::uint32_t slot_of(T value) {
  static_assert(sizeof(T) == 4, "every argument is one 4-byte slot");
  std::uint32_t slot;
  std::memcpy(&slot, &value, 4);
  return slot;
}
#endif

template <class F>
struct Export;
template <class R, class... A>
struct Export<R(A...)> {
  const char* decorated;
  R operator()(A... args) const {
    void* address = find_export(decorated);
    if (!address) throw std::runtime_error(std::string("no export ") + decorated);
#if defined(_WIN32) && !defined(_WIN64)
    const std::uint32_t slots[] = {slot_of(args)..., 0};
    CallState state{};
    std::uint32_t eax = ec_checked_call(address, slots, int(sizeof...(A)), &state);
    check_call_state(decorated, state);
    if constexpr (!std::is_void_v<R>) {
      static_assert(sizeof(R) == 4, "results come back in EAX");
      R result;
      std::memcpy(&result, &eax, 4);
      return result;
    }
#else
    return reinterpret_cast<R(EC_CDECL*)(A...)>(address)(args...);
#endif
  }
};

// The decorated name in a row, as a NUL-terminated text.
constexpr const char* decorated_of(const char* row) {
  const char* at = row;
  int marks = 0;
  while (marks < 2) marks += *at++ == '%';
  return at;
}

inline std::string text(KText value) { return text_chars(value) ? text_chars(value) : "<null>"; }

// A line of the stand-in host's log taken apart: "Basic2D.Dot(1,2,0xFF)" is
// module "Basic2D", function "Dot" and arguments {"1", "2", "0xFF"}.  A text
// argument keeps its quotes and may hold commas.
struct LogLine {
  std::string module, function;
  Lines arguments;
};
LogLine parse_log_line(const std::string& line);

// Argument `index` (from 0) of each line, in order.
Lines arguments_of(const Lines& lines, std::size_t index);

// A fresh host with every module loaded; no text it made may be written past
// its end.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::reset();
    ASSERT_TRUE(hostsim::load_modules());
  }
  void TearDown() override { EXPECT_EQ(hostsim::overrun_strings(), 0) << "texts written past their end"; }
  void hand_over_record();
};

}  // namespace plugin

namespace cmd {
#define EC_COMMAND(id, function, row) \
  inline constexpr plugin::Export<decltype(::function)> function{plugin::decorated_of(row)};
#include "../plugin/command_list.inc"
#undef EC_COMMAND
#define EC_PROTOCOL(function, decorated) inline constexpr plugin::Export<decltype(::function)> function{decorated};
#include "../plugin/protocol_list.inc"
#undef EC_PROTOCOL
}  // namespace cmd
