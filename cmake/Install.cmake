# `cmake --install build --prefix <dir>`: a self-contained program folder under lib/qv-tovra/
# (the executable with the files it looks for beside itself), a link in bin/, and the desktop
# entry and icon in the freedesktop locations.
include(GNUInstallDirs)
set(TOVRA_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/qv-tovra)

install(TARGETS tovra RUNTIME DESTINATION ${TOVRA_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/ DESTINATION ${TOVRA_PROGRAM_DIR}
        FILES_MATCHING PATTERN "*.lng" PATTERN "alarm.mp3" PATTERN "help.chm"
        PATTERN "CMakeFiles" EXCLUDE)
install(CODE "
    set(dest \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${dest}\")
    file(CREATE_LINK \"../${TOVRA_PROGRAM_DIR}/tovra\" \"\${dest}/tovra\" SYMBOLIC)
")
set(TOVRA_EXEC tovra)
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/qv-tovra.desktop.in
               ${CMAKE_BINARY_DIR}/qv-tovra.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/qv-tovra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/qv-tovra.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
