// Shows one message box through the stand-in and prints what it returned.
// Usage: show_message_box <owner window id> <text> [caption]
#include <cstdio>
#include <cstdlib>

#include "platform/x11/win32.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <owner window id> <text> [caption]\n", argv[0]);
        return 2;
    }
    HWND owner = reinterpret_cast<HWND>(std::strtol(argv[1], nullptr, 0));
    int result = MessageBoxA(owner, argv[2], argc > 3 ? argv[3] : nullptr, MB_OK);
    std::printf("%d\n", result);
    return 0;
}
