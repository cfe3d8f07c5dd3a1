// Placeholder until the X dialog lands.
#include <cstdio>

#include "platform/x11/win32.h"

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) { return -1; }
BOOL WINAPI EndDialog(HWND, INT_PTR) { return FALSE; }
BOOL WINAPI CheckDlgButton(HWND, int, UINT) { return FALSE; }
UINT WINAPI IsDlgButtonChecked(HWND, int) { return BST_UNCHECKED; }
int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return IDOK;
}
HWND WINAPI GetForegroundWindow(void) { return nullptr; }
