# Windows builds: the plug-in DLL with its command table and exports; for the
# 64-bit tests also the stand-in host as HostSim.dll with one forwarding DLL
# per host module, and the tests, run under wine64.
include(${CMAKE_CURRENT_LIST_DIR}/exports.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/shipped_dll.cmake)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

ec_write_plugin_def(${CMAKE_BINARY_DIR}/ExtraCommands.def)
add_library(ExtraCommands SHARED ${EC_SOURCES} plugin/dllmain.cpp plugin/resource.rc
            ${CMAKE_BINARY_DIR}/ExtraCommands.def)
set_target_properties(ExtraCommands PROPERTIES PREFIX "" OUTPUT_NAME ExtraCommands)
target_link_options(ExtraCommands PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--kill-at)
ec_ship_dll(ExtraCommands)

if(EC_TESTS AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  file(GLOB HOSTSIM_SOURCES CONFIGURE_DEPENDS hostsim/*.cpp)
  list(FILTER HOSTSIM_SOURCES EXCLUDE REGEX "hostsim/png_io\\.cpp$")
  add_library(HostSim SHARED ${HOSTSIM_SOURCES})
  set_target_properties(HostSim PROPERTIES PREFIX "")
  target_compile_definitions(HostSim PRIVATE HOSTSIM_BUILDING)

  ec_write_module_defs(${CMAKE_BINARY_DIR}/modules modules)
  file(WRITE ${CMAKE_BINARY_DIR}/modules/empty.c "")
  foreach(module IN LISTS modules)
    if(module STREQUAL "Core")
      set(file_name "${EC_HOST_PREFIX}Core")
    else()
      set(file_name "${EC_HOST_PREFIX}${module}Debug")
    endif()
    add_library(module_${module} SHARED ${CMAKE_BINARY_DIR}/modules/empty.c
                ${CMAKE_BINARY_DIR}/modules/${module}.def)
    set_target_properties(module_${module} PROPERTIES PREFIX "" OUTPUT_NAME ${file_name})
    add_dependencies(module_${module} HostSim)
  endforeach()

  # googletest from the sources that Debian's googletest package installs
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -Wno-error)
  target_compile_options(gtest_main PRIVATE -Wno-error)

  file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
  list(FILTER TEST_SOURCES EXCLUDE REGEX "tests/(pe_|native_|png_).*\\.cpp$")
  add_executable(ec_tests ${TEST_SOURCES})
  target_include_directories(ec_tests PRIVATE plugin)
  target_link_libraries(ec_tests PRIVATE HostSim gtest gtest_main)
  target_compile_definitions(ec_tests PRIVATE EC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_dependencies(ec_tests ExtraCommands)
  foreach(module IN LISTS modules)
    add_dependencies(ec_tests module_${module})
  endforeach()

  # The MinGW runtime DLLs beside the programs, for wine.
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                  OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
                  OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                  OUTPUT_VARIABLE libpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS ${libpthread})
    set(libpthread /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)
  endif()
  file(COPY ${libstdcxx} ${libgcc} ${libpthread} DESTINATION ${CMAKE_BINARY_DIR})

  enable_testing()
  include(GoogleTest)
  gtest_discover_tests(ec_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES LABELS win64)
endif()
