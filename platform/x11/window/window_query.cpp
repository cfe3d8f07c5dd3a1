// IsWindow, GetWindowRect and GetSystemMetrics: geometry in Win32 screen
// coordinates, which start at the primary monitor's top-left corner.
#include "platform/x11/display.h"
#include "platform/x11/unsupported.h"
#include "platform/x11/window/window_table.h"
#include "platform/x11/xerror.h"

// One of the stand-in's windows that neither DestroyWindow nor the X server
// has ended, or another program's window that the server still has.
BOOL WINAPI IsWindow(HWND window) {
    Window id = standin::ToXWindow(window);
    if (standin::IsOwnWindow(id)) return standin::FindWindowRecord(window) != nullptr;
    Display* display = standin::XDisplay();
    if (display == nullptr || id == 0) return FALSE;
    standin::XErrorTrap trap(display);
    XWindowAttributes attributes = {};
    return XGetWindowAttributes(display, id, &attributes) != 0 && !trap.Failed();
}

// Works for any X window, the preview's parent included. The rectangle is the
// window's inside (X borders lie outside it). Fails for a handle that names
// no window.
BOOL WINAPI GetWindowRect(HWND window, RECT* rect) {
    Display* display = standin::XDisplay();
    Window id = standin::ToXWindow(window);
    if (display == nullptr || id == 0 || rect == nullptr) return FALSE;
    standin::XErrorTrap trap(display);
    XWindowAttributes attributes = {};
    if (!XGetWindowAttributes(display, id, &attributes) || trap.Failed()) return FALSE;
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, id, attributes.root, 0, 0, &rootX, &rootY, &child);
    if (trap.Failed()) return FALSE;
    standin::MonitorRect primary = standin::PrimaryMonitor();
    rect->left = rootX - primary.x;
    rect->top = rootY - primary.y;
    rect->right = rect->left + attributes.width;
    rect->bottom = rect->top + attributes.height;
    return TRUE;
}

// The primary monitor's size; 0 without a display.
int WINAPI GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return standin::PrimaryMonitor().width;
        case SM_CYSCREEN:
            return standin::PrimaryMonitor().height;
        default:
            standin::Unsupported("GetSystemMetrics", "index", unsigned(index));
    }
}
