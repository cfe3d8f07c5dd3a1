#include "platform/x11/dialog/dialog_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/x11/display.h"
#include "platform/x11/xerror.h"

namespace standin {

namespace {

constexpr uintptr_t kLargestResourceId = 0x1FFFFFFF;  // X resource ids have 29 bits

Atom Intern(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

void SetAtomProperty(Display* display, Window window, const char* property, const char* value) {
    Atom atom = Intern(display, value);
    XChangeProperty(display, window, Intern(display, property), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&atom), 1);
}

void SetTitle(Display* display, Window window, const std::string& caption) {
    XStoreName(display, window, caption.c_str());
    XChangeProperty(display, window, Intern(display, "_NET_WM_NAME"), Intern(display, "UTF8_STRING"), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(caption.data()),
                    static_cast<int>(caption.size()));
}

// Fixed size at the chosen place; input wanted; the program's class name.
void SetSizeAndClassHints(Display* display, Window window, int x, int y, int width, int height) {
    XSizeHints* size = XAllocSizeHints();
    size->flags = PPosition | PSize | PMinSize | PMaxSize;
    size->x = x;
    size->y = y;
    size->width = size->min_width = size->max_width = width;
    size->height = size->min_height = size->max_height = height;
    XWMHints* wm = XAllocWMHints();
    wm->flags = InputHint | StateHint;
    wm->input = True;
    wm->initial_state = NormalState;
    XClassHint* classHint = XAllocClassHint();
    char name[] = "orchardia", className[] = "Orchardia";
    classHint->res_name = name;
    classHint->res_class = className;
    XSetWMProperties(display, window, nullptr, nullptr, nullptr, 0, size, wm, classHint);
    XFree(size);
    XFree(wm);
    XFree(classHint);
}

// A dialog frame: title, border and close button; no minimise, maximise or resize.
void SetDialogDecorations(Display* display, Window window) {
    enum : unsigned long { kFunctions = 1, kDecorations = 2, kMove = 4, kClose = 32, kBorder = 2, kTitle = 8,
                           kMenu = 16 };
    unsigned long motif[5] = {kFunctions | kDecorations, kMove | kClose, kBorder | kTitle | kMenu, 0, 0};
    Atom atom = Intern(display, "_MOTIF_WM_HINTS");
    XChangeProperty(display, window, atom, atom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(motif), 5);
    SetAtomProperty(display, window, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG");
    Atom deleteWindow = Intern(display, "WM_DELETE_WINDOW");
    XSetWMProtocols(display, window, &deleteWindow, 1);
}

int Centre(int start, int span, int size, int screenSize) {
    int position = start + (span - size) / 2;
    return std::max(0, std::min(position, screenSize - size));
}

}  // namespace

Display* OpenModalDisplay(const char* what) {
    Display* display = OpenXConnection();
    if (display == nullptr) {
        if (DisplayLost()) return nullptr;
        std::fprintf(stderr, "orchardia: cannot show %s: %s\n", what, NoDisplayReason().c_str());
        return nullptr;
    }
    InstallXErrorHandler();
    WatchConnection(display);
    return display;
}

bool ResolveOwner(Display* display, HWND handle, ModalOwner* owner) {
    *owner = ModalOwner();
    owner->screen = DefaultScreen(display);
    uintptr_t id = reinterpret_cast<uintptr_t>(handle);
    if (id == 0) return true;
    if (id > kLargestResourceId) return false;
    XErrorTrap trap(display);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, id, &attributes) == 0 || trap.Failed()) return false;
    owner->screen = XScreenNumberOfScreen(attributes.screen);
    if (id == attributes.root) return true;  // the desktop owns nothing
    owner->window = id;
    owner->viewable = attributes.map_state == IsViewable;
    Window child;
    if (owner->viewable &&
        XTranslateCoordinates(display, id, attributes.root, 0, 0, &owner->x, &owner->y, &child)) {
        owner->width = attributes.width;
        owner->height = attributes.height;
    }
    owner->viewable = owner->viewable && !trap.Failed();
    return true;
}

Window CreateModalWindow(Display* display, const ModalOwner& owner, const std::string& caption, int width,
                         int height, unsigned long background) {
    int screenWidth = DisplayWidth(display, owner.screen), screenHeight = DisplayHeight(display, owner.screen);
    bool onOwner = owner.window != None && owner.viewable;
    int x = Centre(onOwner ? owner.x : 0, onOwner ? owner.width : screenWidth, width, screenWidth);
    int y = Centre(onOwner ? owner.y : 0, onOwner ? owner.height : screenHeight, height, screenHeight);

    XSetWindowAttributes attributes = {};
    attributes.background_pixel = background;
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            Button1MotionMask | StructureNotifyMask | FocusChangeMask;
    Window window = XCreateWindow(display, RootWindow(display, owner.screen), x, y, width, height, 0,
                                  CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask,
                                  &attributes);
    SetTitle(display, window, caption);
    SetSizeAndClassHints(display, window, x, y, width, height);
    SetDialogDecorations(display, window);
    if (owner.window != None) {
        XSetTransientForHint(display, window, owner.window);
        SetAtomProperty(display, window, "_NET_WM_STATE", "_NET_WM_STATE_MODAL");
    }
    return window;
}

void FocusModalWindow(Display* display, Window window) {
    XErrorTrap trap(display);  // refused when the window is not viewable after all
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
}

}  // namespace standin
