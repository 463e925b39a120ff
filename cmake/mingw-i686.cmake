# The shipped DLL: i686, the MinGW-w64 compiler with Windows threads.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingw_variant -win32)
set(mingw_wine "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
