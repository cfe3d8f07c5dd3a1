// The X side of a modal box: the display connection, the owner window, and a
// fixed-size top-level window with a caption and a close button.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "platform/x11/win32.h"

namespace standin {

// Opens the default display for a modal box. On failure writes one line on
// standard error saying that `what` cannot be shown, and returns null.
Display* OpenModalDisplay(const char* what);

struct ModalOwner {
    Window window = None;  // None: no owner (or the root window)
    int screen = 0;
    bool viewable = false;
    int x = 0, y = 0, width = 0, height = 0;  // on the root window, when viewable
    Window endsWith = None;  // another program's window whose destruction ends the box (a preview's parent)
};

// Resolves a Win32 owner handle; false when it names no window.
bool ResolveOwner(Display* display, HWND handle, ModalOwner* owner);

// A fixed-size window for the client size, titled `caption`, transient for and
// centred on the owner (else centred on the screen), with WM_DELETE_WINDOW.
Window CreateModalWindow(Display* display, const ModalOwner& owner, const std::string& caption, int width,
                         int height, unsigned long background);

// Gives the mapped window the input focus, as Windows activates a new dialog.
void FocusModalWindow(Display* display, Window window);

}  // namespace standin
