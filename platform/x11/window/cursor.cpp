// SetCursor, LoadCursorA(IDC_ARROW) and GetCursorPos. X cursors belong to
// windows, so SetCursor gives every window of the stand-in the chosen cursor:
// none (an invisible one) or the left pointer. Positions are Win32 screen
// coordinates: root-window pixels from the primary monitor's corner.
// Before Xlib, whose None macro would clash with an enumerator there.
#include "platform/x11/testing.h"

#include <X11/Xlib.h>
#include <X11/cursorfont.h>

#include "platform/x11/display.h"
#include "platform/x11/unsupported.h"
#include "platform/x11/window/window_table.h"

// The one cursor handle LoadCursorA gives out.
struct HCURSOR__ {
    int kind;  // 1: the arrow
};

namespace {

HCURSOR__ arrow = {1};
HCURSOR current = nullptr;

bool manualCursor = false;
POINT manualPoint = {0, 0};

Cursor InvisibleCursor(Display* display) {
    static Cursor cursor = None;
    if (cursor != None) return cursor;
    char empty[1] = {0};
    Pixmap bits = XCreateBitmapFromData(display, DefaultRootWindow(display), empty, 1, 1);
    XColor black = {};
    cursor = XCreatePixmapCursor(display, bits, bits, &black, &black, 0, 0);
    XFreePixmap(display, bits);
    return cursor;
}

Cursor ArrowCursor(Display* display) {
    static Cursor cursor = None;
    if (cursor == None) cursor = XCreateFontCursor(display, XC_left_ptr);
    return cursor;
}

}  // namespace

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    if (instance != nullptr || cursorName != IDC_ARROW)
        standin::Unsupported("LoadCursorA", "cursor", reinterpret_cast<uintptr_t>(cursorName));
    return &arrow;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    if (cursor != nullptr && cursor != &arrow)
        standin::Unsupported("SetCursor", "cursor", reinterpret_cast<uintptr_t>(cursor));
    HCURSOR previous = current;
    current = cursor;
    Display* display = standin::OpenedXDisplay();
    if (display == nullptr) return previous;
    Cursor shape = cursor == nullptr ? InvisibleCursor(display) : ArrowCursor(display);
    for (Window id : standin::LiveWindows()) XDefineCursor(display, id, shape);
    XFlush(display);
    return previous;
}

BOOL WINAPI GetCursorPos(POINT* point) {
    if (manualCursor) {
        *point = manualPoint;
        return TRUE;
    }
    Display* display = standin::XDisplay();
    if (display == nullptr) return FALSE;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask);
    standin::MonitorRect primary = standin::PrimaryMonitor();
    point->x = rootX - primary.x;
    point->y = rootY - primary.y;
    return TRUE;
}

void standin::UseManualCursor(bool manual) {
    manualCursor = manual;
}

void standin::SetManualCursor(LONG x, LONG y) {
    manualPoint = {x, y};
}

int standin::CurrentCursorKind() {
    return current == nullptr ? 0 : current->kind;
}
