// X protocol errors never end the process: a handle that names no window, or a
// parent destroyed under us, becomes a failure result of the calling code.
#pragma once

#include <X11/Xlib.h>

namespace standin {

// Installs the process-wide handler (once): errors outside a trap are written
// to standard error and otherwise ignored.
void InstallXErrorHandler();

// True for a window this process created (window_table.cpp). A request on such a
// window that fails with BadWindow or BadDrawable means it was destroyed under us
// (its parent went first); the window's own end follows through the event loop,
// so the error is expected and not reported.
bool IsOwnWindow(unsigned long id);

// Collects the errors of the requests made on `display` while it lives.
// Failed() syncs with the server first, so every earlier request is counted.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    bool Failed();
    unsigned char LastErrorCode() const { return lastError; }

private:
    Display* display;
    XErrorTrap* outer;
    unsigned char lastError = 0;
    friend int HandleXError(Display*, XErrorEvent*);
};

}  // namespace standin
