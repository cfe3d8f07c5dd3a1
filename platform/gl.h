// OpenGL 1.1 and GLU for scene/, sprites/ and assets/. On Windows <GL/gl.h>
// needs the Win32 calling-convention macros first, so winapi.h comes before it.
#pragma once

#include "platform/winapi.h"

#include <GL/gl.h>
#include <GL/glu.h>
