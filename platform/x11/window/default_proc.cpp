// DefWindowProcA: what Windows does by default for the messages the program
// passes on. Alt+F4 becomes the close command, the close command becomes
// WM_CLOSE, and WM_CLOSE destroys the window; the screen-save command, which
// would start the system's saver, is only counted for tests; everything else
// is ignored.
#include "platform/x11/testing.h"
#include "platform/x11/window/virtual_keys.h"
#include "platform/x11/win32.h"

namespace {
int screenSaveRequests = 0;
}

int standin::ScreenSaveRequests() {
    return screenSaveRequests;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == standin::kVkF4 && (static_cast<unsigned long>(lParam) & standin::kKeyAltDown))
                PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(window, WM_CLOSE, 0, 0);
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) ++screenSaveRequests;
            return 0;
        default:
            return 0;
    }
}
