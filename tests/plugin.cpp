#include "plugin.h"

#if defined(_WIN32)
#include <windows.h>

#include <algorithm>

namespace {

HMODULE library;

// The x87 control word and MXCSR as they stand now.
void read_float_controls(std::uint32_t& control_word, std::uint32_t& mxcsr) {
  std::uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  control_word = word;
  asm volatile("stmxcsr %0" : "=m"(mxcsr));
}

}  // namespace

void plugin::load_fresh() {
  if (library) FreeLibrary(library);
  std::string path = EC_PLUGIN_DLL;
  std::replace(path.begin(), path.end(), '/', '\\');
  std::uint32_t control_word, mxcsr, control_word_after, mxcsr_after;
  read_float_controls(control_word, mxcsr);
  library = LoadLibraryA(path.c_str());
  read_float_controls(control_word_after, mxcsr_after);
  // Loading the library runs its start-up code, which must leave the
  // floating-point settings of the host alone.
  EXPECT_EQ(control_word_after, control_word) << "x87 control word changed by loading " << path;
  EXPECT_EQ(mxcsr_after & ~0x3Fu, mxcsr & ~0x3Fu) << "MXCSR changed by loading " << path;
  if (!library) ADD_FAILURE() << "cannot load " << path;
}

void* plugin::find_export(const char* decorated_name) {
  if (!library) load_fresh();
  return library ? reinterpret_cast<void*>(GetProcAddress(library, decorated_name)) : nullptr;
}

#if !defined(_WIN64)
namespace {

void WINAPI no_debug_output(LPCSTR) {}

// googletest copies every failure to OutputDebugStringA, which Wine delivers
// as an exception; where 32-bit Wine runs under emulation that exception
// takes the process down.  The tests need no debugger output, so the
// program's import of it is pointed at a function that does nothing.
bool quiet_debug_output() {
  auto base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
  void* target = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "OutputDebugStringA"));
  auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
  for (; directory.VirtualAddress && library->Name; ++library) {
    for (auto slot = reinterpret_cast<void**>(base + library->FirstThunk); *slot; ++slot) {
      if (*slot != target) continue;
      DWORD protection;
      VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
      *slot = reinterpret_cast<void*>(&no_debug_output);
      VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
  }
  return true;
}

const bool debug_output_quiet = quiet_debug_output();

}  // namespace

// uint32_t ec_checked_call(void* function, const uint32_t* slots, int count,
//                          CallState* state)
// Pushes the slots as a cdecl caller does, with the stack 4 bytes off a
// 16-byte boundary (a host need not keep more than 4-byte alignment), and
// records the stack pointer, the x87 environment, the control words and two
// callee-saved registers around the call.
asm(R"(
  .text
  .globl _ec_checked_call
_ec_checked_call:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 20(%ebp), %ebx
  fnstcw 0(%ebx)
  stmxcsr 4(%ebx)
  movl 16(%ebp), %ecx
  movl 12(%ebp), %esi
  leal (,%ecx,4), %eax
  movl %esp, %edx
  subl %eax, %edx
  andl $15, %edx
  subl %edx, %esp
  subl $12, %esp
  leal -4(%esi,%ecx,4), %edi
1:
  testl %ecx, %ecx
  jz 2f
  pushl (%edi)
  subl $4, %edi
  decl %ecx
  jmp 1b
2:
  movl %esp, 8(%ebx)
  movl $0x13579BDF, %esi
  movl $0x2468ACE0, %edi
  call *8(%ebp)
  movl %esp, 12(%ebx)
  fnstenv 16(%ebx)
  fldenv 16(%ebx)
  fnstcw 44(%ebx)
  stmxcsr 48(%ebx)
  movl %esi, 52(%ebx)
  movl %edi, 56(%ebx)
  emms
  leal -12(%ebp), %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");

void plugin::check_call_state(const char* decorated_name, const CallState& state) {
  std::uint32_t tag_word = state.fpu_environment[2] & 0xFFFF;
  EXPECT_EQ(state.esp_after, state.esp) << decorated_name << ": the callee removed its arguments";
  EXPECT_EQ(tag_word, 0xFFFFu) << decorated_name << ": values left on the x87 register stack";
  EXPECT_EQ(state.control_word_after & 0xFFFF, state.control_word & 0xFFFF)
      << decorated_name << ": x87 control word changed";
  // The low six bits of MXCSR are sticky exception flags that any inexact
  // operation sets; the rest are the settings a callee must keep.
  EXPECT_EQ(state.mxcsr_after & ~0x3Fu, state.mxcsr & ~0x3Fu) << decorated_name << ": MXCSR changed";
  EXPECT_EQ(state.esi_after, 0x13579BDFu) << decorated_name << ": ESI not preserved";
  EXPECT_EQ(state.edi_after, 0x2468ACE0u) << decorated_name << ": EDI not preserved";
}
#endif

#else
#include "../plugin/exports.h"
#include "../plugin/platform_native.h"

// The library stays loaded in native builds: its process-wide state is put
// back as loading leaves it.
void plugin::load_fresh() { platform::native::reload_library(); }

void* plugin::find_export(const char* decorated_name) { return exports::find(decorated_name); }
#endif

void plugin::HostTest::hand_over_record() { cmd::ReceiveCoreDataPtr(hostsim::core_record()); }

plugin::LogLine plugin::parse_log_line(const std::string& line) {
  std::size_t dot = line.find('.'), open = line.find('(', dot);
  LogLine parsed{line.substr(0, dot), line.substr(dot + 1, open - dot - 1), {}};
  std::string argument;
  bool in_text = false;
  for (std::size_t at = open + 1; at + 1 < line.size(); ++at) {  // up to the closing parenthesis
    char c = line[at];
    if (c == ',' && !in_text) {
      parsed.arguments.push_back(argument);
      argument.clear();
      continue;
    }
    if (c == '"') in_text = !in_text;
    argument += c;
  }
  if (open + 2 < line.size()) parsed.arguments.push_back(argument);
  return parsed;
}

Lines plugin::arguments_of(const Lines& lines, std::size_t index) {
  Lines values;
  for (const std::string& line : lines) values.push_back(parse_log_line(line).arguments.at(index));
  return values;
}

namespace {

// Every test starts with the plug-in as a freshly started host has it.
struct FreshPlugin : ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { plugin::load_fresh(); }
};

const bool fresh_plugin_per_test = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshPlugin);
  return true;
}();

}  // namespace
