# The 64-bit DLLs and tests: the -posix compilers; run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_variant -posix)
set(mingw_wine /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
