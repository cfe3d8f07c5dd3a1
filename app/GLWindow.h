// The whole life of a preview or full-screen run: window, GL context, Scene, loop.
#pragma once

#include "platform/winapi.h"

void RunSaverWindow(HWND parent, int showCommand);
// What the window asks ChoosePixelFormat for: double-buffered RGBA, 32 colour bits.
PIXELFORMATDESCRIPTOR PixelFormatRequest();
