# The release package, made by CPack: build/dist/ExtraCommands-<version>.zip
# with the DLL, its debug information, the command reference as HTML pages,
# the licence, the changelog, an install text and the files' SHA-256 sums.

# The version is set once, in project(); the changelog and the README must
# have caught up with it before a package is made.
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog)
if(NOT changelog MATCHES "\n## \\[${version_pattern}\\] - ")
  message(FATAL_ERROR "CHANGELOG.md has no section for ${PROJECT_VERSION}")
endif()
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
if(NOT readme MATCHES "ExtraCommands-${version_pattern}\\.zip")
  message(FATAL_ERROR "README.md does not name the package ExtraCommands-${PROJECT_VERSION}.zip")
endif()

file(GLOB_RECURSE reference_pictures ${PROJECT_SOURCE_DIR}/docs/images/*
  ${PROJECT_SOURCE_DIR}/examples/commands/*.ecs)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/reference/index.html
  COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/reference_html.sh ${PROJECT_SOURCE_DIR}/docs
          ${PROJECT_BINARY_DIR}/reference ${PROJECT_VERSION}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/reference_html.sh ${PROJECT_SOURCE_DIR}/docs/commands.md
          ${PROJECT_SOURCE_DIR}/docs/runner.md ${reference_pictures}
  VERBATIM)
add_custom_target(reference_html ALL DEPENDS ${PROJECT_BINARY_DIR}/reference/index.html)

configure_file(${PROJECT_SOURCE_DIR}/docs/INSTALL.txt.in ${PROJECT_BINARY_DIR}/INSTALL.txt @ONLY)

install(FILES $<TARGET_FILE:ExtraCommands> $<TARGET_FILE:ExtraCommands>.debug
              ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
              ${PROJECT_BINARY_DIR}/INSTALL.txt
        DESTINATION .)
install(DIRECTORY ${PROJECT_BINARY_DIR}/reference/ DESTINATION reference)
# The playground as preset web builds it (scripts/build.sh builds it first).
set(EC_PLAYGROUND_SITE ${PROJECT_SOURCE_DIR}/build/web CACHE PATH "The built playground")
install(CODE "
  if(NOT EXISTS \"${EC_PLAYGROUND_SITE}/ec_playground.wasm\")
    message(FATAL_ERROR \"no playground in ${EC_PLAYGROUND_SITE}: build preset web first\")
  endif()")
install(DIRECTORY ${EC_PLAYGROUND_SITE}/ DESTINATION playground)
# Last, so that it sums every file installed before it.
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
  list(REMOVE_ITEM files SHA256SUMS)
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    file(SHA256 "${root}/${file}" sum)
    string(APPEND sums "${sum}  ${file}\n")
  endforeach()
  file(WRITE "${root}/SHA256SUMS" "${sums}")
]])

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION})
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/build/dist)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
