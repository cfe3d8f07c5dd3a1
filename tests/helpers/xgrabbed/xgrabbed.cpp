// Test helper: exits 0 when another client holds both the keyboard and the
// pointer grab (its own attempts fail with AlreadyGrabbed), 1 when either is
// free, 2 without a display.
#include <X11/Xlib.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xgrabbed: no display\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    int keyboard = XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    int pointer = XGrabPointer(display, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None,
                               CurrentTime);
    XCloseDisplay(display);  // releases whatever this helper did get
    return keyboard == AlreadyGrabbed && pointer == AlreadyGrabbed ? 0 : 1;
}
