# The libFuzzer harness (clang only): the plug-in and the stand-in host built
# with coverage instrumentation, AddressSanitizer and UBSan.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "the fuzz build needs clang (use the fuzz preset)")
endif()
add_executable(ec_fuzz tests/fuzz/fuzz_commands.cpp ${EC_SOURCES} ${EC_HOSTSIM_SOURCES}
  ${EC_HOSTSIM_PNG_SOURCES})
target_compile_options(ec_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
target_link_options(ec_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
find_package(PNG REQUIRED)
target_link_libraries(ec_fuzz PRIVATE PNG::PNG)
