// Screen-saver daemons on X (xscreensaver and its kin) start their savers with
// their own conventions. These turn into the command line the program knows,
// "/p <decimal window id>", before WinMain sees it.
#pragma once

#include <string>
#include <vector>

namespace standin {

struct HostArguments {
    enum Kind { NotHost, Window, RootWindow, Refused } kind = NotHost;
    unsigned long window = 0;  // for Window: the X window id to draw into
    std::string reason;        // for Refused: one line saying why
};

// Reads --root/-root (with $XSCREENSAVER_WINDOW, hex) and --window-id/-window-id
// <hex or decimal>. `screensaverWindow` is the variable's value, null when unset.
HostArguments ReadHostArguments(const std::vector<std::string>& arguments, const char* screensaverWindow);

// The window to draw into (the root window for RootWindow), checked to exist.
// False with `why` set when there is none.
bool ResolveHostWindow(const HostArguments& host, unsigned long* window, std::string* why);

// Parses a window id as X tools print it: 0x-prefixed hex, or decimal.
// False for anything else, zero, or values beyond 32 bits.
bool ParseWindowId(const std::string& text, unsigned long* id);

}  // namespace standin
