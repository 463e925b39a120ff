# The instruction-count driver of scripts/count.sh: the plug-in, the stand-in
# host (its call log off) and bench/count_commands.cpp, optimised, without
# sanitizers, in one program that callgrind or qemu-i386 runs.
add_executable(ec_count bench/count_commands.cpp ${EC_SOURCES} ${EC_HOSTSIM_SOURCES})
target_compile_options(ec_count PRIVATE -g)  # symbols and lines for callgrind's dumps
