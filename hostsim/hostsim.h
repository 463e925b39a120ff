// The stand-in host: every host function that the commands call, with real
// state behind it (a screen, 3D objects, images, memblocks, files, ...), and a
// log of every call for tests to check.
//
// Log lines read "Module.Function(arguments)": integers in decimal, 32-bit
// unsigned values (colours, float patterns) in hex as 0x..., floats with 9
// significant digits (exact for a 32-bit float), texts in double quotes (0 for
// a null text).  The core module's string allocator logs as
// "Core.StringAllocator(size)".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#if defined(_WIN32)
#if defined(HOSTSIM_BUILDING)
#define HS_API __declspec(dllexport)
#else
#define HS_API __declspec(dllimport)
#endif
#else
#define HS_API
#endif

namespace hostsim {

// Back to the state of a freshly started host: empty log, no objects, images,
// memblocks, files; default screen 640 x 480; inputs idle; timer 0.
HS_API void reset();

struct LoadOptions {
  std::vector<std::string> skip_modules;   // module file names left unloaded
  std::vector<std::string> strip_exports;  // decorated names left out
};

// Makes the host modules findable the way the plug-in binds them: natively
// they are registered with the platform stand-in; on Windows the module DLLs
// are loaded.  Returns false if an option cannot be honoured here.
HS_API bool load_modules(const LoadOptions& options = {});

// The core data record to hand to ReceiveCoreDataPtr.
HS_API void* core_record();
HS_API std::uint32_t record_ink(bool foreground);  // the ink fields of the record

// The call log.
HS_API const std::vector<std::string>& log();
HS_API std::vector<std::string> log_of(const std::string& function);  // lines of one function
HS_API std::vector<std::string> log_without(const std::vector<std::string>& functions);
HS_API void clear_log();
HS_API void set_logging(bool on);  // off: calls are not logged (benchmarks)
HS_API int live_strings();         // texts made by the string allocator not yet given back
HS_API int overrun_strings();      // texts written past their end, given back or still held

// Formats a float as the log does.
HS_API std::string format_float(float value);

}  // namespace hostsim
