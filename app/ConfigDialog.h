// The configuration dialog's procedure (dialog 104: the "Use Mirrors" box).
#pragma once

#include "platform/winapi.h"

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
