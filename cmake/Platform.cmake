# The Linux stand-in for the Win32 names (platform/x11) and its libraries.
find_package(X11 REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(JPEG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(XFT REQUIRED IMPORTED_TARGET xft fontconfig)

# The shared pieces at the top, and one folder for each subsystem (docs/architecture.md).
file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS platform/x11/*.cpp platform/x11/*/*.cpp)
list(FILTER PLATFORM_SOURCES EXCLUDE REGEX ".*/host/main\\.cpp$")
set(PLATFORM_ENTRY_SOURCES ${CMAKE_SOURCE_DIR}/platform/x11/host/main.cpp)

add_library(orchardia_platform STATIC ${PLATFORM_SOURCES})
target_include_directories(orchardia_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orchardia_platform PUBLIC
  OpenGL::GL OpenGL::GLX OpenGL::GLU ${X11_LIBRARIES} X11::Xrandr PkgConfig::XFT JPEG::JPEG ${CMAKE_DL_LIBS})
target_compile_definitions(orchardia_platform PRIVATE ORCHARDIA_VERSION="${PROJECT_VERSION}")

# The three images, embedded as read-only byte blocks that FindResourceA finds.
if(EXISTS ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake)
  include(cmake/EmbedResources.cmake)
endif()
