#include "platform/x11/usage.h"

#include <cstdio>

namespace standin {

namespace {

const char kUsage[] =
    "Usage: orchardia [/s | /p WINDOW | /c [WINDOW] | /a]\n"
    "       orchardia [--mirrors | --no-mirrors] [--root | --window-id WINDOW]\n"
    "A kaleidoscope screen saver.\n"
    "\n"
    "Modes (the Windows screen-saver switches: '-' works as well as '/', and a\n"
    "switch is read by its first letter only, so 'start' and 'settings' are /s):\n"
    "  (none), /c      the settings dialog\n"
    "  /s              run full screen until a key, a click or mouse movement\n"
    "  /p WINDOW       draw into the X window with this decimal id\n"
    "  /a              change the password (nothing to do on Linux)\n"
    "\n"
    "Options for screen-saver daemons such as xscreensaver (only when the command\n"
    "line starts with one of them):\n"
    "  --root          draw into $XSCREENSAVER_WINDOW, or on the root window\n"
    "  --window-id ID  draw into the window ID (hex 0x... or decimal)\n"
    "  --mirrors, --no-mirrors\n"
    "                  mirror the wedges, or not, for this run only (the settings\n"
    "                  file is not changed); with neither --root nor --window-id\n"
    "                  the run is full screen\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n"
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
