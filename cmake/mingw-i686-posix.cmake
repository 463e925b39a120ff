# i686 Windows programs for the tests of the shipped DLL: the -posix
# compilers, which can build googletest; run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingw_variant -posix)
set(mingw_wine /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
