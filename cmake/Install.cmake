# `cmake --install build --prefix <dir>`: a self-contained program folder under lib/qv-tovra/
# (the executable with the files it looks for beside itself), a link in bin/, and the desktop
# entry and icon in the freedesktop locations.
include(GNUInstallDirs)
# Not CMAKE_INSTALL_LIBDIR: the program folder is no library, and must not move to a multiarch
# folder when the prefix is /usr.
set(TOVRA_PROGRAM_DIR lib/qv-tovra)

install(TARGETS tovra RUNTIME DESTINATION ${TOVRA_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/ DESTINATION ${TOVRA_PROGRAM_DIR}
        FILES_MATCHING PATTERN "*.lng" PATTERN "alarm.mp3" PATTERN "help.chm"
        PATTERN "CMakeFiles" EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/qv-tovra.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The prefix is known only now (--prefix may differ from the configured one), and the desktop
# entry names the program by its full path: bin/ need not be on the user's PATH.
install(CODE "
    set(TOVRA_PROGRAM_DIR \"${TOVRA_PROGRAM_DIR}\")
    set(TOVRA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    set(TOVRA_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    set(TOVRA_DESKTOP_IN \"${PROJECT_SOURCE_DIR}/resources/desktop/qv-tovra.desktop.in\")
    include(\"${PROJECT_SOURCE_DIR}/cmake/InstallLinks.cmake\")
")
