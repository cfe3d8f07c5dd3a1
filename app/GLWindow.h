// The whole life of a preview or full-screen run: window, GL context, Scene, loop.
#pragma once

#include "platform/winapi.h"

void RunSaverWindow(HWND parent, int showCommand);
