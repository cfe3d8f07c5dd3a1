# Orchardia-<version>-setup.exe: the NSIS installer of Orchardia.scr, built by
# Debian's makensis with the project's version, the program and its icon.
find_program(MAKENSIS makensis REQUIRED)
set(ORCHARDIA_INSTALLER_SCRIPT ${CMAKE_SOURCE_DIR}/packaging/windows/orchardia.nsi)
set(ORCHARDIA_ICON ${CMAKE_SOURCE_DIR}/assets/icon/orchardia.ico)
set(ORCHARDIA_INSTALLER ${CMAKE_BINARY_DIR}/Orchardia-${PROJECT_VERSION}-setup.exe)
add_custom_command(OUTPUT ${ORCHARDIA_INSTALLER}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DVERSION_QUAD=${ORCHARDIA_VERSION_QUAD}
    -DSCR=$<TARGET_FILE:orchardia> -DICON=${ORCHARDIA_ICON} -DOUTFILE=${ORCHARDIA_INSTALLER}
    ${ORCHARDIA_INSTALLER_SCRIPT}
  DEPENDS orchardia ${ORCHARDIA_INSTALLER_SCRIPT} ${ORCHARDIA_ICON}
  COMMENT "Building the installer ${ORCHARDIA_INSTALLER}"
  VERBATIM)
add_custom_target(windows_installer ALL DEPENDS ${ORCHARDIA_INSTALLER})
