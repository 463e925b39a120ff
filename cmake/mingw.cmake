# What the three MinGW-w64 toolchain files share.  Each sets, before it
# includes this one, CMAKE_SYSTEM_PROCESSOR (i686 or x86_64), mingw_variant
# ("-win32" for the compiler the shipped DLL is built with, "-posix" for the one
# that can build googletest) and mingw_wine (the Wine loader that runs the
# test programs; empty when nothing is run).
set(CMAKE_SYSTEM_NAME Windows)
set(mingw_triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc${mingw_variant})
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++${mingw_variant})
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(mingw_wine)
  # Wine through a wrapper that retries a process Wine failed to start.
  set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ${mingw_wine})
endif()
