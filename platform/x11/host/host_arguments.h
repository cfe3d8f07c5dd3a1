// Screen-saver daemons on X (xscreensaver and its kin) start their savers with
// their own conventions, and people type GNU-style options. These count only
// when the command line starts with one, so the Windows switches keep their
// exact parse; they turn into the command line the program knows.
#pragma once

#include <string>
#include <vector>

namespace standin {

struct HostArguments {
    enum Kind {
        NotHost,     // the line is the program's own: leave it to WinMain
        Help,        // --help or -h
        Version,     // --version
        FullScreen,  // only --mirrors/--no-mirrors: a full-screen run
        Window,      // draw into `window`
        RootWindow,  // --root without $XSCREENSAVER_WINDOW: draw on the root window
        OwnWindow,   // --window: a top-level window of its own, `width` x `height` pixels
        AddToList,       // --add-to-xscreensaver
        RemoveFromList,  // --remove-from-xscreensaver
        Refused,         // nothing runs; `reason` says why
    } kind = NotHost;
    unsigned long window = 0;  // for Window: the X window id to draw into
    std::string windowText;    // for Window: the id as it was written
    bool mirrors = true;       // the host decides: on unless --no-mirrors (the last of the two wins)
    bool fps = false;          // --fps: draw the frame rate
    int width = 800;           // for OwnWindow: --geometry's size in pixels
    int height = 600;
    std::string reason;        // for Refused: one line saying why
};

// Reads --root (with $XSCREENSAVER_WINDOW, hex), --window-id <hex or decimal>
// (which wins over --root and --window, as a settings dialog appends it to the
// entry's command), --window [--geometry WxH], --mirrors, --no-mirrors, --fps;
// and, standing alone, --help/-h, --version, --add-to-xscreensaver and
// --remove-from-xscreensaver; each with one dash or two, as Xt programs take
// them. `screensaverWindow` is the variable's value, null when unset.
HostArguments ReadHostArguments(const std::vector<std::string>& arguments, const char* screensaverWindow);

// The window to draw into (the root window for RootWindow), checked to exist.
// False with `why` set when there is none.
bool ResolveHostWindow(const HostArguments& host, unsigned long* window, std::string* why);

// Parses a window id as X tools print it: 0x-prefixed hex, or decimal.
// False for anything else, zero, or values beyond 32 bits.
bool ParseWindowId(const std::string& text, unsigned long* id);

}  // namespace standin
