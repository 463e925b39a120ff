# The release package, made by CPack: build/dist/ExtraCommands-<version>.zip
# with the DLL, its debug information, the command reference as HTML pages
# and the playground beside it (both read from the file system), the
# licence, the changelog, an install text and the files' SHA-256 sums.

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

# The install text counts the commands from the command list's rows.
file(STRINGS ${PROJECT_SOURCE_DIR}/plugin/command_list.inc command_rows REGEX "^EC_COMMAND\\(")
list(LENGTH command_rows EC_COMMAND_COUNT)
configure_file(${PROJECT_SOURCE_DIR}/docs/INSTALL.txt.in ${PROJECT_BINARY_DIR}/INSTALL.txt @ONLY)

install(FILES $<TARGET_FILE:ExtraCommands> $<TARGET_FILE:ExtraCommands>.debug
              ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
              ${PROJECT_BINARY_DIR}/INSTALL.txt
        DESTINATION .)
# The reference and the playground as preset web builds them, side by side
# as they stand there (scripts/build.sh builds it first).
set(EC_WEB_SITE ${PROJECT_SOURCE_DIR}/build/web CACHE PATH "The built playground and reference")
install(CODE "
  foreach(part playground/ec_playground.js playground/playground.js reference/index.html)
    if(NOT EXISTS \"${EC_WEB_SITE}/\${part}\")
      message(FATAL_ERROR \"no \${part} in ${EC_WEB_SITE}: build preset web first\")
    endif()
  endforeach()")
install(DIRECTORY ${EC_WEB_SITE}/reference/ DESTINATION reference)
install(DIRECTORY ${EC_WEB_SITE}/playground/ DESTINATION playground)
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
