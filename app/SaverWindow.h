// The saver window's procedure and the platform's password services.
#pragma once

#include "platform/winapi.h"

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Nonzero means the saver may close.
int VerifySaverPassword(HWND window);
void ChangeSaverPassword(HWND parent);
