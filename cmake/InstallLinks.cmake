# Run by `cmake --install`: the bin/ link and the desktop entry, which depend on the prefix
# chosen at install time. Expects TOVRA_PROGRAM_DIR, TOVRA_BINDIR, TOVRA_DATADIR and
# TOVRA_DESKTOP_IN.
if(CMAKE_INSTALL_PREFIX MATCHES "[\n\r]")
    message(FATAL_ERROR "The install prefix holds a line break; a desktop entry cannot name it.")
endif()
set(stage "$ENV{DESTDIR}")
set(bindir "${CMAKE_INSTALL_PREFIX}/${TOVRA_BINDIR}")

# bin/tovra -> the program in its folder, relative so the whole tree can move.
file(MAKE_DIRECTORY "${stage}${bindir}")
file(RELATIVE_PATH target "${CMAKE_INSTALL_PREFIX}/${TOVRA_BINDIR}"
     "${CMAKE_INSTALL_PREFIX}/${TOVRA_PROGRAM_DIR}/tovra")
file(REMOVE "${stage}${bindir}/tovra")
file(CREATE_LINK "${target}" "${stage}${bindir}/tovra" SYMBOLIC)
message(STATUS "Installing: ${stage}${bindir}/tovra -> ${target}")

# Exec= quoting: the whole path in double quotes with " ` $ \ escaped, % doubled, and then the
# backslashes doubled once more because the value is itself an escaped string.
set(exec "${bindir}/tovra")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
set(exec "\"${exec}\"")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
set(TOVRA_EXEC "${exec}")
set(entry "${stage}${CMAKE_INSTALL_PREFIX}/${TOVRA_DATADIR}/applications/qv-tovra.desktop")
configure_file("${TOVRA_DESKTOP_IN}" "${entry}" @ONLY)
file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
message(STATUS "Installing: ${entry}")
