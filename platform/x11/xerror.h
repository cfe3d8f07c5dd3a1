// X protocol errors never end the process: a handle that names no window, or a
// parent destroyed under us, becomes a failure result of the calling code.
#pragma once

#include <X11/Xlib.h>

namespace standin {

// Installs the process-wide handler (once): errors outside a trap are written
// to standard error and otherwise ignored.
void InstallXErrorHandler();

// Learns GLX's error codes on the stand-in's connection, so that its errors
// about a window can be told apart.
void LearnGlxErrors(Display* display);

// True for a window this process created (window_table.cpp). A request on such a
// window that fails with BadWindow, BadDrawable or GLX's drawable errors means it
// was destroyed under us (its parent went first): the error is expected and not
// reported, and NoteWindowGone makes every later call treat it as destroyed.
bool IsOwnWindow(unsigned long id);
void NoteWindowGone(unsigned long id);

// Collects the errors of the requests made on `display` while it lives.
// Failed() syncs with the server first, so every earlier request is counted.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    bool Failed();
    unsigned char LastErrorCode() const { return lastError_; }

private:
    Display* display_;
    XErrorTrap* outer_;
    unsigned char lastError_ = 0;
    friend int HandleXError(Display*, XErrorEvent*);
};

}  // namespace standin
