#include "platform/x11/host/usage.h"

#include <cstdio>

namespace standin {

namespace {

const char kUsage[] =
    "Usage: orchardia [/s | /p WINDOW | /l WINDOW | /c [WINDOW] | /a]\n"
    "       orchardia --window [--geometry WxH] [--no-mirrors] [--fps]\n"
    "       orchardia [--no-mirrors] [--fps] [--root] [--window-id WINDOW]\n"
    "       orchardia --add-to-xscreensaver | --remove-from-xscreensaver\n"
    "A kaleidoscope screen saver. To try it: orchardia --window\n"
    "\n"
    "Modes (the Windows screen-saver switches: '-' works as well as '/', and a\n"
    "switch is read by its first letter only, so 'start' and 'settings' are /s):\n"
    "  (none), /c      the settings dialog\n"
    "  /s              run full screen until a key, a click or mouse movement\n"
    "  /p WINDOW       draw into the X window with this decimal id (/l: the same)\n"
    "  /a              change the password (nothing to do on Linux)\n"
    "The settings dialog's \"Use Mirrors\" (in the settings file) applies to these.\n"
    "They always exit with status 0.\n"
    "\n"
    "Options, read only when the command line starts with one; each takes one\n"
    "dash or two:\n"
    "  --window        draw in a window of its own; q, Escape or its close button\n"
    "                  end it\n"
    "  --geometry WxH  that window's size in pixels (default 800x600)\n"
    "  --root          draw into $XSCREENSAVER_WINDOW (a screen-saver daemon's), or\n"
    "                  on the root window, under every other window\n"
    "  --window-id ID  draw into window ID (hex 0x... or decimal), also with --root\n"
    "  --no-mirrors    draw without mirrors; without it the wedges are mirrored\n"
    "                  whatever the settings file says (--mirrors: the default)\n"
    "  --fps           show the frame rate in the lower-left corner\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n"
    "With none of --window, --root and --window-id the run is full screen.\n"
    "Exit status 1 when an option is refused, or its run cannot start or loses\n"
    "the display; else 0.\n"
    "\n"
    "xscreensaver's list of savers (~/.xscreensaver), once after installing and\n"
    "before removing the program (close xscreensaver-settings first, or open it\n"
    "again after: it would drop the change):\n"
    "  --add-to-xscreensaver       add \"GL: orchardia --root\" to the list\n"
    "  --remove-from-xscreensaver  take orchardia out of the list again\n"
    "Exit status 1 when the file is refused, else 0.\n"
    "\n"
    "Settings: $XDG_CONFIG_HOME/orchardia/user.reg (~/.config/orchardia/user.reg).\n"
    "More in the manual page: man 6 orchardia\n";

}  // namespace

void PrintUsage() {
    std::fputs(kUsage, stdout);
}

void PrintVersion() {
    std::printf("orchardia %s\n", ORCHARDIA_VERSION);
}

}  // namespace standin
