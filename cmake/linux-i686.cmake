# 32-bit Linux code generated as the shipped DLL's is, for the instruction
# counts: SSE floating point (CMakeLists.txt adds it for every i686 build), not
# position-independent, as a DLL's code is not, and arguments stored into a
# reserved area rather than pushed (-maccumulate-outgoing-args
# -mstackrealign), which the MinGW-w64 compiler of the DLL turns on by
# default.  Linked statically, so that qemu-i386 runs it on any machine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(i686_code "-m32 -fno-pie -maccumulate-outgoing-args -mstackrealign")
set(CMAKE_C_FLAGS_INIT "${i686_code}")
set(CMAKE_CXX_FLAGS_INIT "${i686_code}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static -no-pie")
