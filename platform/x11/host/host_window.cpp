// Checks the window a screen-saver daemon names before the saver draws into it.
#include <X11/Xlib.h>

#include "platform/x11/display.h"
#include "platform/x11/host/host_arguments.h"
#include "platform/x11/xerror.h"

namespace standin {

bool ResolveHostWindow(const HostArguments& host, unsigned long* window, std::string* why) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        *why = NoDisplayReason();
        return false;
    }
    bool found = true;
    if (host.kind == HostArguments::RootWindow) {
        *window = DefaultRootWindow(display);
    } else {
        XErrorTrap trap(display);
        XWindowAttributes attributes;
        found = XGetWindowAttributes(display, host.window, &attributes) != 0 && !trap.Failed();
        *window = host.window;
        if (!found) *why = "no window has the id " + host.windowText;
    }
    XCloseDisplay(display);
    return found;
}

}  // namespace standin
