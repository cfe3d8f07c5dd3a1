#include "platform/x11/display.h"

#include <X11/extensions/Xrandr.h>

#include <cstdio>
#include <cstdlib>

#include "platform/x11/xerror.h"

namespace {

Display* display = nullptr;
bool openTried = false;
bool lost = false;
bool monitorKnown = false;
standin::MonitorRect primary = {0, 0, 0, 0};

// Called by Xlib when a connection breaks (server gone). Records the loss so
// that the loops waiting for X events end the run; the exit handler below then
// returns instead of exiting, so the program winds down through its normal
// tear-down. Every connection goes to the same server: losing one is losing all.
int HandleLostConnection(Display*) {
    lost = true;
    return 0;
}

void KeepRunningAfterLoss(Display*, void*) {}

bool RandrMonitor(Display* connection, standin::MonitorRect* rect) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(connection, &eventBase, &errorBase)) return false;
    if (!XRRQueryVersion(connection, &major, &minor) || major * 100 + minor < 105) return false;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(connection, DefaultRootWindow(connection), True, &count);
    if (monitors == nullptr) return false;
    int chosen = 0;
    for (int i = 0; i < count; ++i)
        if (monitors[i].primary) chosen = i;
    bool found = count > 0;
    if (found) *rect = {monitors[chosen].x, monitors[chosen].y, monitors[chosen].width, monitors[chosen].height};
    XRRFreeMonitors(monitors);
    return found;
}

}  // namespace

Display* standin::XDisplay() {
    if (lost) return nullptr;
    if (!openTried) {
        openTried = true;
        display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            std::fprintf(stderr, "orchardia: %s\n", NoDisplayReason().c_str());
            return nullptr;
        }
        InstallXErrorHandler();
        WatchConnection(display);
        LearnGlxErrors(display);
    }
    return display;
}

std::string standin::NoDisplayReason() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') return "no X display (DISPLAY is not set)";
    return std::string("cannot open the X display \"") + name + "\"";
}

void standin::WatchConnection(Display* connection) {
    XSetIOErrorHandler(HandleLostConnection);
    XSetIOErrorExitHandler(connection, KeepRunningAfterLoss, nullptr);
}

Display* standin::OpenedXDisplay() {
    return lost ? nullptr : display;
}

bool standin::DisplayLost() {
    return lost;
}

standin::MonitorRect standin::PrimaryMonitor() {
    if (monitorKnown) return primary;
    Display* connection = XDisplay();
    if (connection == nullptr) return {0, 0, 0, 0};
    if (!RandrMonitor(connection, &primary)) {
        int screen = DefaultScreen(connection);
        primary = {0, 0, DisplayWidth(connection, screen), DisplayHeight(connection, screen)};
    }
    monitorKnown = true;
    return primary;
}

void standin::ForgetPrimaryMonitor() {
    monitorKnown = false;
}
