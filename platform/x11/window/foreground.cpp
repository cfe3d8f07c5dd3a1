// GetForegroundWindow: the window the window manager calls active; without a
// window manager, the top-level window holding the input focus.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/x11/display.h"
#include "platform/x11/win32.h"
#include "platform/x11/xerror.h"

namespace {

bool WindowExists(Display* display, Window window) {
    standin::XErrorTrap trap(display);
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 && !trap.Failed();
}

// The one window that a root property names, or None.
Window RootWindowProperty(Display* display, Window root, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    Window named = None;
    Atom property = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, root, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &remaining,
                           &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1) {
        named = *reinterpret_cast<unsigned long*>(data);
    }
    if (data != nullptr) XFree(data);
    return named != None && WindowExists(display, named) ? named : None;
}

// The focus window's ancestor just below the root: the top-level window.
Window FocusedTopLevel(Display* display, Window root) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == root) return None;
    standin::XErrorTrap trap(display);
    for (;;) {
        Window rootOut = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, focus, &rootOut, &parent, &children, &count) == 0) return None;
        if (children != nullptr) XFree(children);
        if (parent == root || parent == None) return focus;
        focus = parent;
    }
}

}  // namespace

HWND WINAPI GetForegroundWindow(void) {
    Display* display = standin::OpenXConnection();
    if (display == nullptr) return nullptr;
    standin::InstallXErrorHandler();
    Window root = DefaultRootWindow(display);
    Window foreground = RootWindowProperty(display, root, "_NET_ACTIVE_WINDOW");
    // A window manager says which window is active; with none active the focus
    // rests on its own helper window, which is no one's foreground window.
    bool windowManager = RootWindowProperty(display, root, "_NET_SUPPORTING_WM_CHECK") != None;
    if (foreground == None && !windowManager) foreground = FocusedTopLevel(display, root);
    XCloseDisplay(display);
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(foreground));
}
