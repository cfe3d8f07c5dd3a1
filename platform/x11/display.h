// The stand-in's one connection to the X server, shared by windows, cursors
// and GLX, and the primary monitor that Win32 screen coordinates start from.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace standin {

// Opens the connection on first use ($DISPLAY). Null when no server can be
// reached (said once on stderr) and after a connection has been lost.
Display* XDisplay();

// Why no connection can be opened, worded the same wherever it is said:
// DISPLAY unset or empty, or the server it names not reachable.
std::string NoDisplayReason();

// The connection if it is already open (and not lost), without opening one.
Display* OpenedXDisplay();

// True once the server has gone away; nothing may talk to it after that.
bool DisplayLost();

// Makes the loss of `connection` (the stand-in's own, or a modal box's; null
// before it is opened) end the run as ExitAfterLoss does: at once, unless it
// is noticed in PendingXEvents, whose caller then winds the run down.
void WatchConnection(Display* connection);

// Under a Linux option the loss is a failure: from now on it is said in one
// line on stderr and the exit code is 1.
void FailOnConnectionLoss();
// Ends the process after the loss: quietly with 0, or as FailOnConnectionLoss
// asked. Safe inside a signal handler.
[[noreturn]] void ExitAfterLoss();

// XOpenDisplay($DISPLAY) with the loss watched from the start. Null when no
// server can be reached; when one was reached before, that is its loss.
Display* OpenXConnection();

// XPending for the loops that wait for events: 0 once the server is lost.
int PendingXEvents(Display* connection);

// The primary monitor in root-window pixels: RandR's primary monitor, else its
// first one, else the whole screen. Win32 screen coordinates have their origin
// at this monitor's top-left corner, as Windows has at its primary monitor's.
struct MonitorRect {
    int x, y, width, height;
};
MonitorRect PrimaryMonitor();
// Makes the next PrimaryMonitor read the server again (the screen changed).
void ForgetPrimaryMonitor();

// Whether the event is a window manager's request to close a window (WM_DELETE_WINDOW).
bool IsCloseRequest(const XClientMessageEvent& event);

}  // namespace standin
