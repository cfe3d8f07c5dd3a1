#include "platform/x11/window/own_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstring>
#include <vector>

#include "platform/x11/display.h"
#include "platform/x11/window/window_icon.h"
#include "platform/x11/window/window_table.h"

namespace {

Window ownWindow = 0;

void SetTitleAndIcon(Display* display, Window id) {
    standin::DescribeXWindow(display, id, "Orchardia");
    const char title[] = "Orchardia";
    XChangeProperty(display, id, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), int(std::strlen(title)));
    XWMHints hints = {};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(display, id, &hints);
    std::vector<long> icon = standin::ProgramIcon();
    if (!icon.empty())
        XChangeProperty(display, id, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(icon.data()), int(icon.size()));
}

void CloseOwnWindow(Display* display) {
    XDestroyWindow(display, ownWindow);  // the saver's window inside goes with it, and the run ends
    XFlush(display);
    ownWindow = 0;
}

}  // namespace

Window standin::OpenOwnWindow(int width, int height) {
    Display* display = XDisplay();
    if (display == nullptr) return 0;
    XSetWindowAttributes attributes = {};
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    attributes.event_mask = KeyPressMask | StructureNotifyMask;
    ownWindow = XCreateWindow(display, DefaultRootWindow(display), 0, 0, unsigned(width), unsigned(height), 0,
                              CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    SetTitleAndIcon(display, ownWindow);
    XMapWindow(display, ownWindow);
    XFlush(display);
    return ownWindow;
}

bool standin::TranslateOwnWindowEvent(XEvent* event) {
    if (ownWindow == 0 || event->xany.window != ownWindow) return false;
    if (event->type == KeyPress) {
        KeySym key = XLookupKeysym(&event->xkey, 0);
        if (key == XK_q || key == XK_Escape) CloseOwnWindow(event->xany.display);
    } else if (event->type == ClientMessage && IsCloseRequest(event->xclient)) {
        CloseOwnWindow(event->xany.display);
    } else if (event->type == DestroyNotify) {
        ownWindow = 0;
    }
    return true;
}
