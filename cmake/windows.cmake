# Windows builds: the plug-in DLL with its command table and exports; for the
# Windows tests also the stand-in host as HostSim.dll with one forwarding DLL
# per host module, and the tests, run under Wine.  The 64-bit tests build
# their own DLL from the sources; the 32-bit tests load the shipped file
# (EC_SHIPPED_DLL) exactly as the main job built it.
include(${CMAKE_CURRENT_LIST_DIR}/exports.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/shipped_dll.cmake)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(EC_SHIPPED_DLL "" CACHE FILEPATH "Test this ExtraCommands.dll instead of building one")

if(NOT EC_SHIPPED_DLL)
  ec_write_plugin_def(${CMAKE_BINARY_DIR}/ExtraCommands.def)
  add_library(ExtraCommands SHARED ${EC_SOURCES} plugin/dllmain.cpp plugin/resource.rc
              ${CMAKE_BINARY_DIR}/ExtraCommands.def)
  set_target_properties(ExtraCommands PROPERTIES PREFIX "" OUTPUT_NAME ExtraCommands)
  target_link_options(ExtraCommands PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--kill-at)
  ec_ship_dll(ExtraCommands)
endif()

if(EC_TESTS AND (CMAKE_SIZEOF_VOID_P EQUAL 8 OR EC_SHIPPED_DLL))
  add_library(HostSim SHARED ${EC_HOSTSIM_SOURCES})
  set_target_properties(HostSim PROPERTIES PREFIX "")
  target_compile_definitions(HostSim PRIVATE HOSTSIM_BUILDING)

  ec_write_module_defs(${CMAKE_BINARY_DIR}/modules modules)
  ec_write_if_changed(${CMAKE_BINARY_DIR}/modules/empty.c "")
  ec_read_module_file_names(file_name)
  foreach(module IN LISTS modules)
    if(NOT DEFINED file_name_${module})
      message(FATAL_ERROR "host module ${module} is missing from plugin/host_modules.inc")
    endif()
    add_library(module_${module} SHARED ${CMAKE_BINARY_DIR}/modules/empty.c
                ${CMAKE_BINARY_DIR}/modules/${module}.def)
    set_target_properties(module_${module} PROPERTIES PREFIX "" OUTPUT_NAME ${file_name_${module}})
    add_dependencies(module_${module} HostSim)
  endforeach()

  # googletest from the sources that Debian's googletest package installs
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -Wno-error)
  target_compile_options(gtest_main PRIVATE -Wno-error)

  # The plug-in the tests load: the shipped file by its own path, or the one
  # built here, beside the programs.
  if(EC_SHIPPED_DLL)
    if(NOT EXISTS ${EC_SHIPPED_DLL})
      message(FATAL_ERROR "${EC_SHIPPED_DLL} is missing: build it first (cmake --preset win32)")
    endif()
    set(plugin_dll "Z:${EC_SHIPPED_DLL}")
  else()
    set(plugin_dll "ExtraCommands.dll")
  endif()

  # Tests of native builds only stay out; the checks of the shipped file's
  # contents (pe_*) run where that file is tested.
  file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
  list(FILTER TEST_SOURCES EXCLUDE REGEX "tests/(native_|png_).*\\.cpp$")
  if(NOT EC_SHIPPED_DLL)
    list(FILTER TEST_SOURCES EXCLUDE REGEX "tests/pe_.*\\.cpp$")
  endif()
  # The fuzz corpus replay runs in the same program: one Wine process fewer.
  add_executable(ec_tests ${TEST_SOURCES} tests/fuzz/replay.cpp)
  target_compile_definitions(ec_tests PRIVATE EC_WIN32_DLL="${EC_SHIPPED_DLL}"
                             EC_VERSION="${PROJECT_VERSION}" EC_DESCRIPTION="${PROJECT_DESCRIPTION}")
  target_link_libraries(ec_tests PRIVATE HostSim gtest gtest_main)
  target_compile_definitions(ec_tests PRIVATE EC_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                             EC_PLUGIN_DLL="${plugin_dll}")
  if(TARGET ExtraCommands)
    add_dependencies(ec_tests ExtraCommands)
  endif()
  foreach(module IN LISTS modules)
    add_dependencies(ec_tests module_${module})
  endforeach()

  # The MinGW runtime DLLs beside the programs, for Wine.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(runtime_dlls libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  else()
    set(runtime_dlls libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
  endif()
  foreach(dll IN LISTS runtime_dlls)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS ${found})
      set(found ${CMAKE_FIND_ROOT_PATH}/lib/${dll})
    endif()
    file(COPY ${found} DESTINATION ${CMAKE_BINARY_DIR})
  endforeach()

  # The tests run as one process: starting a Wine process costs more than
  # most tests (minutes where 32-bit Wine is emulated), and the test layer
  # loads the plug-in afresh for every test.  googletest's summary in
  # the output gives the count test by test.
  if(EC_SHIPPED_DLL)
    set(test_path win32)
  else()
    set(test_path win64)
  endif()
  enable_testing()
  add_test(NAME ${test_path}.ec_tests COMMAND ec_tests)
  set_tests_properties(${test_path}.ec_tests PROPERTIES TIMEOUT 2400 LABELS ${test_path})
  if(NOT EC_SHIPPED_DLL)
    # Also each test as a process of its own, to run some by name:
    # ctest --preset win64-each -R Name (the win64 preset leaves them out).
    include(GoogleTest)
    gtest_discover_tests(ec_tests TEST_PREFIX each. DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES LABELS win64-each)
  endif()
endif()
