# make install: the program, its manual page, its desktop entry and the
# xscreensaver settings file (PREFIX, DESTDIR honoured by cmake --install).
include(GNUInstallDirs)
install(TARGETS orchardia RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/orchardia.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/orchardia.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
install(FILES packaging/orchardia.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
