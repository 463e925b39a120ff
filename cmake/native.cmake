# Native (Linux) build: the plug-in and the stand-in host in one process, the
# platform calls served by the in-process registry.

# The sanitizers' own advice: -O1 keeps their reports exact and makes the
# tests and the runner (whose screenshots the browser tests compare with)
# several times faster than an unoptimised build.
if(EC_SANITIZE)
  add_compile_options(-O1 -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(ec_plugin OBJECT ${EC_SOURCES})

if(EC_TESTS)
  find_package(GTest REQUIRED)
  find_package(PNG REQUIRED)
  add_library(hostsim STATIC ${EC_HOSTSIM_SOURCES} ${EC_HOSTSIM_PNG_SOURCES})
  target_link_libraries(hostsim PUBLIC PNG::PNG)

  # The checks of the shipped DLL's file run on the path that tests that file.
  file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
  list(FILTER TEST_SOURCES EXCLUDE REGEX "tests/pe_.*\\.cpp$")
  add_executable(ec_tests ${TEST_SOURCES})
  target_link_libraries(ec_tests PRIVATE ec_plugin hostsim GTest::gtest GTest::gtest_main)
  target_compile_definitions(ec_tests PRIVATE
    EC_SOURCE_DIR="${PROJECT_SOURCE_DIR}" EC_BINARY_DIR="${PROJECT_BINARY_DIR}")

  enable_testing()
  include(GoogleTest)
  gtest_discover_tests(ec_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
endif()

# The runner: plays the host's part for scripts of commands (tools/runner),
# its tests, and every example script as a test of its own.
if(EC_TESTS)
  file(GLOB RUNNER_SOURCES CONFIGURE_DEPENDS tools/runner/*.cpp)
  list(FILTER RUNNER_SOURCES EXCLUDE REGEX "tools/runner/(web_)?main\\.cpp$")
  find_package(GIF REQUIRED)
  add_library(ec_runner_core STATIC ${RUNNER_SOURCES})
  target_link_libraries(ec_runner_core PUBLIC hostsim GIF::GIF)
  target_compile_definitions(ec_runner_core PRIVATE EC_VERSION="${PROJECT_VERSION}")

  add_executable(ec_runner tools/runner/main.cpp)
  target_link_libraries(ec_runner PRIVATE ec_runner_core ec_plugin)

  add_executable(ec_runner_tests tests/runner/runner_test.cpp)
  target_link_libraries(ec_runner_tests PRIVATE ec_runner_core ec_plugin GTest::gtest GTest::gtest_main)
  target_compile_definitions(ec_runner_tests PRIVATE EC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(ec_runner_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

  file(GLOB EC_EXAMPLES CONFIGURE_DEPENDS examples/*.ecs)
  foreach(example ${EC_EXAMPLES})
    get_filename_component(example_name ${example} NAME_WE)
    add_test(NAME example.${example_name}
             COMMAND ec_runner --out ${PROJECT_BINARY_DIR}/examples ${example})
    # An example calls nothing on a resource that does not exist.
    set_tests_properties(example.${example_name} PROPERTIES LABELS native
                         FAIL_REGULAR_EXPRESSION "line [0-9]+: [A-Za-z]+: [^\n]* does not exist")
  endforeach()

  # A broken script makes the runner itself stop with a non-zero status.
  file(GLOB EC_BAD_SCRIPTS CONFIGURE_DEPENDS tests/scripts/bad_*.ecs)
  foreach(script ${EC_BAD_SCRIPTS})
    get_filename_component(script_name ${script} NAME_WE)
    add_test(NAME runner_error.${script_name}
             COMMAND ec_runner --out ${PROJECT_BINARY_DIR}/runner_errors ${script})
    set_tests_properties(runner_error.${script_name} PROPERTIES LABELS native WILL_FAIL TRUE)
  endforeach()
endif()

# Benchmarks (Google Benchmark), when the library is installed; meaningful in
# the bench preset, which builds without sanitizers.
find_package(benchmark QUIET)
if(EC_TESTS AND benchmark_FOUND)
  add_executable(ec_bench bench/commands_bench.cpp)
  target_link_libraries(ec_bench PRIVATE ec_plugin hostsim benchmark::benchmark)
endif()
