// Test helper: maps a top-level X window of the given size, prints its id in
// decimal, and destroys it when standard input closes.
// Usage: xparent WIDTH HEIGHT
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xparent WIDTH HEIGHT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xparent: no display\n");
        return 1;
    }
    unsigned width = unsigned(std::atoi(argv[1])), height = unsigned(std::atoi(argv[2]));
    Window root = DefaultRootWindow(display);
    Window window = XCreateSimpleWindow(display, root, 10, 20, width, height, 0, 0, 0x336699);
    XStoreName(display, window, "xparent");
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("%lu\n", window);
    std::fflush(stdout);

    char buffer[64];
    while (read(0, buffer, sizeof(buffer)) > 0) {
    }
    XDestroyWindow(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
