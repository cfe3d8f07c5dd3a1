// SetWindowPos over X windows, and the size changes that come from outside: a
// WS_CHILD window takes its parent's size whenever the parent changes size, and
// a WS_POPUP window hears of the primary monitor's changes (RandR) as
// WM_DISPLAYCHANGE. A window whose size changed gets WM_SIZE at once, as
// Windows sends it from inside SetWindowPos.
#include "platform/x11/window/window_size.h"

#include <X11/extensions/Xrandr.h>

#include <algorithm>

#include "platform/x11/display.h"
#include "platform/x11/unsupported.h"
#include "platform/x11/xerror.h"

namespace {

using namespace standin;

int randrEventBase = -1;  // -1 until the screen's changes are selected

// x and y are Win32 coordinates: a popup's start at the primary monitor's
// corner, a child's at its parent's. A window destroyed under us (its parent
// went in the middle of a resize) makes the request fail quietly.
void PlaceRecord(WindowRecord* record, int x, int y, int width, int height) {
    Display* display = OpenedXDisplay();
    if (display == nullptr) return;
    if (record->popup) {
        MonitorRect primary = PrimaryMonitor();
        x += primary.x;
        y += primary.y;
    }
    XMoveResizeWindow(display, record->id, x, y, unsigned(std::max(width, 1)), unsigned(std::max(height, 1)));
    XFlush(display);
    if (width == record->width && height == record->height) return;
    record->width = width;
    record->height = height;
    record->proc(ToHwnd(record->id), WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

// A parent dragged through many sizes queues many events: only the latest counts.
void FollowParent(XConfigureEvent event) {
    XEvent later;
    while (XCheckTypedWindowEvent(event.display, event.window, ConfigureNotify, &later)) event = later.xconfigure;
    for (Window id : LiveWindows()) {
        WindowRecord* record = FindWindowRecord(id);
        if (record->parent == event.window && !record->serverGone)
            PlaceRecord(record, 0, 0, event.width, event.height);
    }
}

bool SameRect(const MonitorRect& a, const MonitorRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// One change of the screen arrives as several events; the popups hear of it
// once, when the primary monitor is no longer what it was.
void TranslateScreenChange(XEvent* event) {
    XRRUpdateConfiguration(event);
    MonitorRect before = PrimaryMonitor();
    ForgetPrimaryMonitor();
    MonitorRect after = PrimaryMonitor();
    if (SameRect(before, after)) return;
    WPARAM depth = WPARAM(DefaultDepth(event->xany.display, DefaultScreen(event->xany.display)));
    for (Window id : LiveWindows()) {
        WindowRecord* record = FindWindowRecord(id);
        if (record->popup && !record->serverGone)
            record->proc(ToHwnd(id), WM_DISPLAYCHANGE, depth, MAKELPARAM(after.width, after.height));
    }
}

void WatchScreen(Display* display) {
    if (randrEventBase >= 0) return;
    int eventBase = 0, errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)) return;
    randrEventBase = eventBase;
    XRRSelectInput(display, DefaultRootWindow(display),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
}

}  // namespace

void standin::WatchWindowSize(WindowRecord* record, Window parent) {
    Display* display = OpenedXDisplay();
    if (display == nullptr) return;
    if (record->popup) {
        WatchScreen(display);
        return;
    }
    XErrorTrap trap(display);  // the parent may be gone already; the child then goes with it
    XWindowAttributes attributes = {};  // the events this program already takes there (--window's own) stay
    XGetWindowAttributes(display, parent, &attributes);
    XSelectInput(display, parent, attributes.your_event_mask | StructureNotifyMask);
}

bool standin::TranslateSizeEvent(XEvent* event) {
    if (event->type == ConfigureNotify) {
        FollowParent(event->xconfigure);
        return true;
    }
    if (randrEventBase < 0) return false;
    int type = event->type - randrEventBase;
    if (type != RRScreenChangeNotify && type != RRNotify) return false;
    TranslateScreenChange(event);
    return true;
}

BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    if (insertAfter != nullptr) standin::Unsupported("SetWindowPos", "insert-after window", 1);
    if (flags != (SWP_NOZORDER | SWP_NOACTIVATE)) standin::Unsupported("SetWindowPos", "flags", flags);
    standin::WindowRecord* record = standin::FindWindowRecord(window);
    if (record == nullptr) return FALSE;
    PlaceRecord(record, x, y, width, height);
    return TRUE;
}
