# The libraries of the web build: SDL 1.2 is emscripten's own emulation, the
# others come from the sysroot that scripts/web_sysroot.sh builds. They take
# the names the native build's packages give them, so that src/ links alike.
if(NOT DISKMAG_WEB_SYSROOT)
  message(FATAL_ERROR "DISKMAG_WEB_SYSROOT names the web libraries' sysroot")
endif()
set(sysroot ${DISKMAG_WEB_SYSROOT})
function(web_library name)
  add_library(${name} INTERFACE IMPORTED GLOBAL)
  set(files)
  foreach(file IN LISTS ARGN)
    list(APPEND files ${sysroot}/lib/${file})
  endforeach()
  set_target_properties(${name} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${sysroot}/include
                                           INTERFACE_LINK_LIBRARIES "${files}")
endfunction()
add_library(PkgConfig::SDL INTERFACE IMPORTED GLOBAL)
set_target_properties(PkgConfig::SDL PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${EMSCRIPTEN_SYSROOT}/include/SDL)
web_library(PkgConfig::PNG libpng16.a libz.a)
web_library(JPEG::JPEG libjpeg.a)
web_library(PkgConfig::FREETYPE libfreetype.a libz.a)
target_include_directories(PkgConfig::FREETYPE INTERFACE ${sysroot}/include/freetype2)
web_library(PkgConfig::OPENMPT libopenmpt.a)
