#include "platform/x11/display.h"

#include <X11/extensions/Xrandr.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/x11/process.h"
#include "platform/x11/xerror.h"

namespace {

Display* display = nullptr;
bool openTried = false;
bool lost = false;
bool reached = false;  // a connection has been opened before
bool lossExpected = false;  // inside PendingXEvents: the caller winds the run down
bool monitorKnown = false;
std::string lossLine;  // said on stderr when the server goes, under a Linux option
int lossExitCode = 0;
standin::MonitorRect primary = {0, 0, 0, 0};

// Called by Xlib when a connection breaks (server gone). Every connection goes
// to the same server: losing one is losing all. While a loop asks for events,
// the loss is recorded and the loop ends the run through its normal tear-down
// (the exit handler below returns instead of exiting). Anywhere else the next
// Xlib or GLX call could crash on the dead connection, so the process ends
// here, quietly and with exit code 0, as the end of the run would.
int HandleLostConnection(Display*) {
    lost = true;
    if (lossExpected) return 0;
    std::fflush(nullptr);
    standin::ExitAfterLoss();
}

void KeepRunningAfterLoss(Display*, void*) {}

// Mesa's GLX does not survive a broken connection in every call: a server lost
// during glXChooseVisual crashes it before Xlib has noticed. A crash while the
// connection is hung up is that loss and ends the run like it; any other crash
// takes its usual course (the handler that was there before, a sanitizer's).
const int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGABRT};
const int kCrashSignalCount = 3;
struct sigaction previousCrashActions[kCrashSignalCount];
int connectionFd = -1;

bool ConnectionHungUp() {
    pollfd connection = {connectionFd, POLLIN, 0};
    if (poll(&connection, 1, 0) <= 0) return false;
    if (connection.revents & (POLLHUP | POLLERR)) return true;
    char byte = 0;
    return recv(connectionFd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

// With the server alive the previous handler takes the signal: a fault meets
// it when its instruction runs again, a signal sent by kill or raise (a code
// of SI_USER or below) is sent again, to be taken when this handler returns.
void EndIfServerGone(int signalNumber, siginfo_t* info, void*) {
    if (lost || ConnectionHungUp()) standin::ExitAfterLoss();
    for (int i = 0; i < kCrashSignalCount; ++i)
        if (kCrashSignals[i] == signalNumber) sigaction(signalNumber, &previousCrashActions[i], nullptr);
    if (info->si_code <= SI_USER) raise(signalNumber);
}

void TreatCrashesAfterLossAsLoss(int fd) {
    connectionFd = fd;
    struct sigaction action = {};
    action.sa_sigaction = EndIfServerGone;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_SIGINFO;
    for (int i = 0; i < kCrashSignalCount; ++i) sigaction(kCrashSignals[i], &action, &previousCrashActions[i]);
}

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
        display = OpenXConnection();
        if (display == nullptr) {
            if (!lost) std::fprintf(stderr, "orchardia: %s\n", NoDisplayReason().c_str());
            NoteRunFailure();
            return nullptr;
        }
        InstallXErrorHandler();
        WatchConnection(display);
        TreatCrashesAfterLossAsLoss(ConnectionNumber(display));
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
    if (connection != nullptr) XSetIOErrorExitHandler(connection, KeepRunningAfterLoss, nullptr);
}

Display* standin::OpenXConnection() {
    if (lost) return nullptr;
    WatchConnection(nullptr);
    Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) lost = reached;
    else reached = true;
    return connection;
}

int standin::PendingXEvents(Display* connection) {
    if (lost) return 0;
    lossExpected = true;
    int count = XPending(connection);
    lossExpected = false;
    return lost ? 0 : count;
}

Display* standin::OpenedXDisplay() {
    return lost ? nullptr : display;
}

bool standin::DisplayLost() {
    return lost;
}

void standin::FailOnConnectionLoss() {
    const char* name = std::getenv("DISPLAY");
    lossLine = std::string("orchardia: lost the connection to the X display \"") + (name ? name : "") + "\"\n";
    lossExitCode = 1;
}

void standin::ExitAfterLoss() {
    if (!lossLine.empty()) {
        ssize_t written = write(STDERR_FILENO, lossLine.data(), lossLine.size());
        (void)written;  // nothing is left to tell of a failed write
    }
    _exit(lossExitCode);
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

bool standin::IsCloseRequest(const XClientMessageEvent& event) {
    Atom protocols = XInternAtom(event.display, "WM_PROTOCOLS", False);
    Atom deleteWindow = XInternAtom(event.display, "WM_DELETE_WINDOW", False);
    return event.message_type == protocols && event.format == 32 && Atom(event.data.l[0]) == deleteWindow;
}
