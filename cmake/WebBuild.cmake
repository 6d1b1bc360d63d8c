# Builds the web engine in build/web with emscripten, after the libraries'
# sysroot (made once per machine, see scripts/web_sysroot.sh); the page, the
# script and the .wasm land in build/web-engine. Without emscripten the native
# build goes on alone and says so in one line; -DDISKMAG_WITH_WEB_ENGINE=OFF skips
# it for a quicker build of the rest. WEB_ENGINE_FILES names the
# engine's built files, or nothing when it is skipped.
set(WEB_ENGINE_FILES)
option(DISKMAG_WITH_WEB_ENGINE "Build the web engine beside the native build" ON)
if(NOT DISKMAG_WITH_WEB_ENGINE)
  message(STATUS "Web engine skipped: DISKMAG_WITH_WEB_ENGINE is OFF")
  return()
endif()
find_program(EMCC emcc)
find_program(NODE node)
if(NOT EMCC OR NOT NODE)
  message(STATUS "Web engine skipped: emscripten or node is not installed (scripts/setup.sh installs them)")
  return()
endif()
if(DEFINED ENV{XDG_CACHE_HOME})
  set(WEB_CACHE $ENV{XDG_CACHE_HOME}/diskmag)
else()
  set(WEB_CACHE $ENV{HOME}/.cache/diskmag)
endif()
set(WEB_ENGINE_DIR ${CMAKE_BINARY_DIR}/web-engine)
set(WEB_ENGINE_FILES ${WEB_ENGINE_DIR}/diskmag.js ${WEB_ENGINE_DIR}/diskmag.wasm
    ${WEB_ENGINE_DIR}/read.html ${WEB_ENGINE_DIR}/read.js ${WEB_ENGINE_DIR}/read.css)
include(ExternalProject)
ExternalProject_Add(web_engine
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/web
  CONFIGURE_COMMAND ""
  BUILD_COMMAND ${CMAKE_SOURCE_DIR}/scripts/web_build.sh ${CMAKE_SOURCE_DIR}
                ${CMAKE_BINARY_DIR}/web ${WEB_ENGINE_DIR} ${WEB_CACHE}
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${WEB_ENGINE_FILES}
  USES_TERMINAL_BUILD ON
  INSTALL_COMMAND "")
