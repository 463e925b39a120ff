# Writes the export definitions of the plug-in (from the command list) and of
# each stand-in host module (from the host function list), and reads the host
# module file names (from the host module list).

# Writes a generated file only when its content changes, so that configuring
# again does not make the libraries that read it link again.
function(ec_write_if_changed path content)
  file(WRITE "${path}.new" "${content}")
  file(COPY_FILE "${path}.new" "${path}" ONLY_IF_DIFFERENT)
  file(REMOVE "${path}.new")
endfunction()

function(ec_write_plugin_def output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               "${PROJECT_SOURCE_DIR}/plugin/command_list.inc" "${PROJECT_SOURCE_DIR}/plugin/protocol_list.inc")
  # "[" would stop CMake from splitting the list, and the .def does not need it.
  file(READ "${PROJECT_SOURCE_DIR}/plugin/command_list.inc" content)
  string(REPLACE "[" "" content "${content}")
  string(REPLACE "\n" ";" rows "${content}")
  list(FILTER rows INCLUDE REGEX "^EC_COMMAND")
  set(def "LIBRARY ExtraCommands.dll\nEXPORTS\n")
  file(STRINGS "${PROJECT_SOURCE_DIR}/plugin/protocol_list.inc" protocol REGEX "^EC_PROTOCOL")
  foreach(row IN LISTS protocol)
    string(REGEX MATCH "EC_PROTOCOL\\(([A-Za-z]+), \"([^\"]+)\"\\)" _ "${row}")
    string(APPEND def "  \"${CMAKE_MATCH_2}\" = ${CMAKE_MATCH_1}\n")
  endforeach()
  foreach(row IN LISTS rows)
    string(REGEX MATCH "EC_COMMAND\\([0-9]+, ([a-z_0-9]+), \"[^%]*%[A-Z]+%([^\"]+)\"\\)" _ "${row}")
    string(APPEND def "  \"${CMAKE_MATCH_2}\" = ${CMAKE_MATCH_1}\n")
  endforeach()
  ec_write_if_changed("${output}" "${def}")
endfunction()

# One .def per module: each decorated name forwards to HostSim.hs_<module>_<field>.
function(ec_write_module_defs output_dir out_modules)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/plugin/host_functions.inc")
  file(STRINGS "${PROJECT_SOURCE_DIR}/plugin/host_functions.inc" lines REGEX "^HOST_FN")
  set(modules)
  foreach(line IN LISTS lines)
    string(REGEX MATCH "HOST_FN\\(([A-Za-z0-9]+), ([A-Za-z0-9]+), \"([^\"]+)\"" _ "${line}")
    set(module ${CMAKE_MATCH_1})
    if(NOT module IN_LIST modules)
      list(APPEND modules ${module})
      set(def_${module} "EXPORTS\n")
    endif()
    string(APPEND def_${module} "  \"${CMAKE_MATCH_3}\" = HostSim.hs_${module}_${CMAKE_MATCH_2}\n")
  endforeach()
  foreach(module IN LISTS modules)
    ec_write_if_changed("${output_dir}/${module}.def" "${def_${module}}")
  endforeach()
  set(${out_modules} ${modules} PARENT_SCOPE)
endfunction()

# Sets <out_prefix>_<module> to each host module's file name without ".dll",
# the common prefix included.
function(ec_read_module_file_names out_prefix)
  set(list "${PROJECT_SOURCE_DIR}/plugin/host_modules.inc")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${list}")
  file(STRINGS "${list}" lines REGEX "^HOST_MODULE")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "HOST_MODULE\\(([A-Za-z0-9]+), \"([^\"]+)\\.dll\"\\)" _ "${line}")
    set(${out_prefix}_${CMAKE_MATCH_1} "${EC_HOST_PREFIX}${CMAKE_MATCH_2}" PARENT_SCOPE)
  endforeach()
endfunction()
