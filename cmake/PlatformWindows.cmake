# The real Win32 platform: <windows.h>, OpenGL32, GLU32, GDI, and libjpeg
# cross-built from Debian's source by tools/windows-libjpeg.sh. Builds
# Orchardia.scr, statically linked so that it needs only the system's DLLs.
set(ORCHARDIA_WINDOWS_DEPS ${CMAKE_BINARY_DIR}/deps/prefix CACHE PATH
  "Where tools/windows-libjpeg.sh put the Windows libjpeg")
if(NOT EXISTS ${ORCHARDIA_WINDOWS_DEPS}/lib/libjpeg.a OR NOT EXISTS ${ORCHARDIA_WINDOWS_DEPS}/include/jpeglib.h)
  message(FATAL_ERROR "No libjpeg for Windows in ${ORCHARDIA_WINDOWS_DEPS}; "
    "run tools/windows-libjpeg.sh ${CMAKE_BINARY_DIR}/deps (or make windows)")
endif()
add_library(windows_jpeg STATIC IMPORTED)
set_target_properties(windows_jpeg PROPERTIES
  IMPORTED_LOCATION ${ORCHARDIA_WINDOWS_DEPS}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${ORCHARDIA_WINDOWS_DEPS}/include)

# No libgcc, libstdc++ or winpthread DLLs: everything but the system's is linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(orchardia_platform INTERFACE)
target_include_directories(orchardia_platform INTERFACE ${CMAKE_SOURCE_DIR})
target_link_libraries(orchardia_platform INTERFACE windows_jpeg glu32 opengl32 gdi32 user32 advapi32)

# The version in four parts (1.0 is 1.0.0.0), for the resources and the installer.
set(ORCHARDIA_VERSION_PARTS ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR})
foreach(part PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    list(APPEND ORCHARDIA_VERSION_PARTS 0)
  else()
    list(APPEND ORCHARDIA_VERSION_PARTS ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN ORCHARDIA_VERSION_PARTS "." ORCHARDIA_VERSION_QUAD)
list(JOIN ORCHARDIA_VERSION_PARTS "," ORCHARDIA_VERSION_COMMAS)
configure_file(${CMAKE_SOURCE_DIR}/assets/version.h.in ${CMAKE_BINARY_DIR}/generated/orchardia_version.h @ONLY)

# The module's resources: dialog, strings, icon, the three images, the manifest, the version.
set(ORCHARDIA_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/assets/orchardia.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_BINARY_DIR}/generated")
set(PLATFORM_ENTRY_SOURCES ${ORCHARDIA_RESOURCE_SCRIPT})
set_property(SOURCE ${ORCHARDIA_RESOURCE_SCRIPT} APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/assets/resource.h
  ${CMAKE_BINARY_DIR}/generated/orchardia_version.h
  ${CMAKE_SOURCE_DIR}/assets/orchardia.manifest
  ${CMAKE_SOURCE_DIR}/assets/icon/orchardia.ico
  ${CMAKE_SOURCE_DIR}/assets/images/fruit_rgb.jpg
  ${CMAKE_SOURCE_DIR}/assets/images/fruit_mask.jpg
  ${CMAKE_SOURCE_DIR}/assets/images/logo_mask.jpg)

# The saver target is made by the top file after this one; name it once it exists.
function(orchardia_windows_saver)
  set_target_properties(orchardia PROPERTIES OUTPUT_NAME Orchardia SUFFIX .scr WIN32_EXECUTABLE ON)
  # WinMain lives in the core library; the C runtime that calls it is linked after it.
  target_link_options(orchardia PRIVATE -Wl,--undefined=WinMain)
  # What Windows users install carries no debug information.
  target_link_options(orchardia PRIVATE -s)
endfunction()
cmake_language(DEFER CALL orchardia_windows_saver)

include(${CMAKE_CURRENT_LIST_DIR}/WindowsInstaller.cmake)
