// libjpeg's 6b interface. On Windows <windows.h> must come first: it defines
// the `boolean` type that jpeglib.h then leaves alone; jpeglib.h needs FILE.
#pragma once

#include "platform/winapi.h"

#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>
