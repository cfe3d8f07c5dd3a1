# make install: the program, its manual page, the desktop entry of its settings
# dialog and the xscreensaver settings file (PREFIX, DESTDIR honoured by
# cmake --install). The Debian package moves the program to the daemon's hack
# folder (debian/rules).
include(GNUInstallDirs)
install(TARGETS orchardia RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/orchardia.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/orchardia-settings.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/orchardia.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
