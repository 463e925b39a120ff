# The shipped plug-in DLL: a version resource, the debug information in a
# separate file beside the stripped DLL, and the same bytes from every clean
# build of a commit, whatever the source and build directories are called.

file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE EC_COPYRIGHT REGEX "^Copyright" LIMIT_COUNT 1)
configure_file(${PROJECT_SOURCE_DIR}/plugin/version.h.in ${PROJECT_BINARY_DIR}/generated/version.h @ONLY)

function(ec_ship_dll target)
  set_property(SOURCE plugin/resource.rc APPEND PROPERTY
               INCLUDE_DIRECTORIES ${PROJECT_BINARY_DIR}/generated)
  # Debug information for crash analysis; -g leaves the generated code as it is.
  # The directories are mapped to fixed names so that no path of this machine
  # reaches the debug file (whose checksum the DLL's debug link carries).
  # The build directory comes last: it may lie inside the source directory.
  # Nothing in the plug-in throws and the host calls it through plain C
  # functions, so it needs no exception unwind tables (about 6 KB).
  set(flags -g -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build
      -fno-exceptions -fno-asynchronous-unwind-tables)
  target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:C,CXX>:${flags}>")
  target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
  # objcopy stamps the files it writes with the time unless SOURCE_DATE_EPOCH
  # says otherwise; 0 is what the linker writes with --no-insert-timestamp.
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
  set(dll $<TARGET_FILE_NAME:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug ${dll} ${dll}.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${dll}.debug ${dll}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
