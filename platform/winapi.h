// The one header through which app/ and assets/ reach Win32 names.
// On Windows these are the real ones; elsewhere the stand-in in x11/ provides
// the same names over Xlib, GLX, POSIX and plain files.
#pragma once

#ifdef _WIN32  // the only platform switch: which implementation of the Win32 names
#include <windows.h>
#else
#include "x11/win32.h"
#endif
