# Runs at install time, when CMAKE_INSTALL_PREFIX is the prefix actually given
# (`cmake --install --prefix` overrides the configured one): writes the desktop
# entry with the launcher's absolute path, since a desktop session's PATH often
# lacks the prefix's bin (~/.local/bin above all).
# Needs DESKTOP_TEMPLATE, DESKTOP_ID, DESKTOP_BINDIR and DESKTOP_APPSDIR.
cmake_path(ABSOLUTE_PATH DESKTOP_BINDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE bindir)
set(launcher "${bindir}/marrowin")

# Exec quotes the path and escapes \ " ` $ within the quotes; both keys then
# escape the backslash once more as a string value, and Exec doubles %.
string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" quoted "${launcher}")
string(REPLACE "\\" "\\\\" DESKTOP_EXEC "\"${quoted}\"")
string(REPLACE "%" "%%" DESKTOP_EXEC "${DESKTOP_EXEC}")
string(REPLACE "\\" "\\\\" DESKTOP_TRY_EXEC "${launcher}")

cmake_path(ABSOLUTE_PATH DESKTOP_APPSDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE appsdir)
set(entry "$ENV{DESTDIR}${appsdir}/${DESKTOP_ID}.desktop")
message(STATUS "Installing: ${entry}")
file(READ "${DESKTOP_TEMPLATE}" template)
file(CONFIGURE OUTPUT "${entry}" CONTENT "${template}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
