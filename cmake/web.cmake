# Browser build (Emscripten): the plug-in, the stand-in host and the runner's
# script engine and renderer, the same sources as the native build, with the
# playground's entry (tools/runner/web_main.cpp) and page (web/).  The site
# folder (build/web) is laid out as the release package: playground/ (the
# page, its bundled script and style, and ec_playground.js with the module
# inside it) beside reference/ (the command reference as HTML pages), so that
# the links between them are the same read from the file system or served;
# its index.html sends a visitor on to the playground.  CMake's own files
# stay in the preset's binary folder.

# zlib and libpng for the stand-in host's PNG files and giflib for the
# runner's recordings, from Debian's sources (scripts/deps.sh web unpacks them).
set(EC_WEB_DEPS "${PROJECT_SOURCE_DIR}/build/web-deps" CACHE PATH "Unpacked zlib, libpng and giflib sources")
foreach(header zlib/zlib.h libpng/png.h giflib/gif_lib.h)
  if(NOT EXISTS "${EC_WEB_DEPS}/${header}")
    message(FATAL_ERROR "${header} missing in ${EC_WEB_DEPS}: run sh scripts/deps.sh web")
  endif()
endforeach()
set(zlib_names adler32 compress crc32 deflate inffast inflate inftrees trees uncompr zutil)
list(TRANSFORM zlib_names PREPEND "${EC_WEB_DEPS}/zlib/" OUTPUT_VARIABLE zlib_sources)
list(TRANSFORM zlib_sources APPEND ".c")
add_library(web_zlib STATIC ${zlib_sources})
target_include_directories(web_zlib PUBLIC "${EC_WEB_DEPS}/zlib")

set(png_names png pngerror pngget pngmem pngread pngrio pngrtran pngrutil pngset pngtrans pngwio
    pngwrite pngwtran pngwutil)
list(TRANSFORM png_names PREPEND "${EC_WEB_DEPS}/libpng/" OUTPUT_VARIABLE png_sources)
list(TRANSFORM png_sources APPEND ".c")
configure_file("${EC_WEB_DEPS}/libpng/scripts/pnglibconf.h.prebuilt"
               "${CMAKE_BINARY_DIR}/libpng/pnglibconf.h" COPYONLY)
add_library(web_png STATIC ${png_sources})
target_include_directories(web_png PUBLIC "${EC_WEB_DEPS}/libpng" "${CMAKE_BINARY_DIR}/libpng")
target_link_libraries(web_png PUBLIC web_zlib)
# The GIF encoder only: recordings are written, never read.
set(gif_names egif_lib gif_err gif_hash gifalloc openbsd-reallocarray)
list(TRANSFORM gif_names PREPEND "${EC_WEB_DEPS}/giflib/" OUTPUT_VARIABLE gif_sources)
list(TRANSFORM gif_sources APPEND ".c")
add_library(web_gif STATIC ${gif_sources})
target_include_directories(web_gif PUBLIC "${EC_WEB_DEPS}/giflib")

# Third-party code: built as its authors ship it, without our warning rules.
foreach(library web_zlib web_png web_gif)
  target_compile_options(${library} PRIVATE -w -Wno-error)
endforeach()

# Emscripten's JavaScript optimiser needs Debian's acorn, which a Node.js not
# from Debian does not look for.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# The runner catches script faults as exceptions.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

add_library(ec_plugin OBJECT ${EC_SOURCES})

add_library(hostsim STATIC ${EC_HOSTSIM_SOURCES} ${EC_HOSTSIM_PNG_SOURCES})
target_link_libraries(hostsim PUBLIC web_png)

file(GLOB RUNNER_SOURCES CONFIGURE_DEPENDS tools/runner/*.cpp)
list(FILTER RUNNER_SOURCES EXCLUDE REGEX "tools/runner/main\\.cpp$")
add_executable(ec_playground ${RUNNER_SOURCES})
target_link_libraries(ec_playground PRIVATE ec_plugin hostsim web_gif)
target_compile_definitions(ec_playground PRIVATE EC_VERSION="${PROJECT_VERSION}")

# Asyncify rewrites only the functions that can be on the stack while a frame
# is being shown: from ec_run through the script engine, the std::function
# and lambda that call a command, the command (the ones that present frames
# through the host's Sync) to the presenting Sync and the per-line hook.
# Instrumenting everything would double the module's size.  A function
# missing here traps in the browser tests ("unreachable"), and so does a
# save area too small for the locals of the unwound functions (the script
# engine's are many).  (The names are
# the module's readable C++ names; brackets must pair, hence the stars.)
set(asyncify_functions
  "ec_run" "runner::run_source*" "*::Run::line*"
  "std::__2::function<*>::operator()*" "std::__2::__function::*::operator()*" "*std::__2::__invoke*"
  "*'lambda'*::operator()*" "runner::Marshal<*>::call*"
  "fadescreen*" "defadescreen*" "flashscreen*" "fixobjectscale*" "*::step_alpha*"
  "*::presenting_sync*" "*::show_new_frames*" "*::wait_frames*" "*::after_line*")
list(JOIN asyncify_functions "\",\"" asyncify_json)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/asyncify_functions.json CONTENT "[\"${asyncify_json}\"]\n")

# The example scripts and the files they load, in the module's file system.
file(GLOB_RECURSE EC_EXAMPLE_FILES CONFIGURE_DEPENDS examples/*)
set_property(TARGET ec_playground PROPERTY LINK_DEPENDS ${EC_EXAMPLE_FILES} ${CMAKE_BINARY_DIR}/asyncify_functions.json)
set(EC_WEB_SITE "${PROJECT_SOURCE_DIR}/build/web" CACHE PATH "Where the playground site is written")
set(playground_dir ${EC_WEB_SITE}/playground)
set_target_properties(ec_playground PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${playground_dir})
# The module inside its script (SINGLE_FILE): a page read from the file
# system may not fetch a file beside it.
target_link_options(ec_playground PRIVATE
  -sENVIRONMENT=web
  -sSINGLE_FILE=1
  -sMODULARIZE=1
  -sEXPORT_NAME=createPlayground
  -sASYNCIFY=1
  -sASYNCIFY_ONLY=@${CMAKE_BINARY_DIR}/asyncify_functions.json
  -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=33554432
  -sEXIT_RUNTIME=0
  -sINVOKE_RUN=0
  "-sEXPORTED_RUNTIME_METHODS=['ccall','UTF8ToString','FS']"
  "--embed-file=${PROJECT_SOURCE_DIR}/examples@/examples")

# The page's script: web/playground.js with the editor (CodeMirror) and what
# it imports, bundled by esbuild; both come from web/package-lock.json,
# installed here by npm ci.
set(npm_dir ${CMAKE_BINARY_DIR}/npm)
add_custom_command(OUTPUT ${npm_dir}/node_modules/.package-lock.json
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/package.json ${PROJECT_SOURCE_DIR}/web/package-lock.json
          ${PROJECT_SOURCE_DIR}/web/.npmrc ${npm_dir}
  COMMAND npm ci --silent
  WORKING_DIRECTORY ${npm_dir}
  DEPENDS ${PROJECT_SOURCE_DIR}/web/package.json ${PROJECT_SOURCE_DIR}/web/package-lock.json
  VERBATIM)
file(MAKE_DIRECTORY ${npm_dir})
file(GLOB EC_PAGE_SCRIPTS CONFIGURE_DEPENDS web/*.js)
add_custom_command(OUTPUT ${playground_dir}/playground.js
  COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${npm_dir}/node_modules
          ${npm_dir}/node_modules/.bin/esbuild ${PROJECT_SOURCE_DIR}/web/playground.js --bundle --minify
          --format=iife --target=es2020 --log-level=warning
          --outfile=${playground_dir}/playground.js
  DEPENDS ${EC_PAGE_SCRIPTS} ${npm_dir}/node_modules/.package-lock.json
  VERBATIM)

# The page and its style beside the module, copied again whenever they
# change, and the site's front door.
set(site_page_files ${playground_dir}/playground.js)
foreach(page_file index.html playground.css)
  add_custom_command(OUTPUT ${playground_dir}/${page_file}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/${page_file} ${playground_dir}/${page_file}
    DEPENDS ${PROJECT_SOURCE_DIR}/web/${page_file} VERBATIM)
  list(APPEND site_page_files ${playground_dir}/${page_file})
endforeach()
add_custom_command(OUTPUT ${EC_WEB_SITE}/index.html
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/site-index.html ${EC_WEB_SITE}/index.html
  DEPENDS ${PROJECT_SOURCE_DIR}/web/site-index.html VERBATIM)
add_custom_target(playground_page ALL DEPENDS ${site_page_files} ${EC_WEB_SITE}/index.html)

# The command reference as HTML pages (their "Try it" links open the page
# above, so it is made after it).
file(GLOB_RECURSE reference_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/images/*
  ${PROJECT_SOURCE_DIR}/examples/commands/*.ecs)
add_custom_command(OUTPUT ${EC_WEB_SITE}/reference/index.html
  COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/reference_html.sh ${PROJECT_SOURCE_DIR}/docs
          ${EC_WEB_SITE}/reference ${PROJECT_VERSION}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/reference_html.sh ${PROJECT_SOURCE_DIR}/docs/commands.md
          ${PROJECT_SOURCE_DIR}/docs/runner.md ${reference_sources} ${playground_dir}/index.html
  VERBATIM)
add_custom_target(reference_html ALL DEPENDS ${EC_WEB_SITE}/reference/index.html)
