#include "platform/x11/host/settings_window.h"

#include <X11/Xutil.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/x11/xerror.h"

namespace {

const char kProgram[] = "xscreensaver-settings";

std::string FirstField(const std::string& path, char end) {
    std::ifstream file(path);
    std::string field;
    std::getline(file, field, end);
    return field;
}

// The kernel keeps 15 bytes of the name; the command line's first word has it whole.
bool RunsSettings(const std::string& folder) {
    if (FirstField(folder + "/comm", '\n') != std::string(kProgram, 15)) return false;
    std::string program = FirstField(folder + "/cmdline", '\0');
    return program.substr(program.rfind('/') + 1) == kProgram;
}

bool UserRunsSettings() {
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return false;
    bool found = false;
    while (dirent* entry = readdir(proc)) {
        std::string folder = std::string("/proc/") + entry->d_name;
        struct stat status = {};
        if (std::strspn(entry->d_name, "0123456789") != std::strlen(entry->d_name) ||
            stat(folder.c_str(), &status) != 0 || status.st_uid != getuid())
            continue;
        if ((found = RunsSettings(folder))) break;
    }
    closedir(proc);
    return found;
}

// The settings window among the top-level windows and, under a window
// manager, inside their frames.
bool HasSettingsWindow(Display* display, Window parent, int depth) {
    Window root = 0, above = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &above, &children, &count)) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        XClassHint hint = {};
        if (XGetClassHint(display, children[i], &hint)) {
            found = hint.res_name != nullptr && std::strcmp(hint.res_name, kProgram) == 0;
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        if (!found && depth > 1) found = HasSettingsWindow(display, children[i], depth - 1);
    }
    if (children != nullptr) XFree(children);
    return found;
}

bool DisplayShowsSettings() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') return false;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    standin::InstallXErrorHandler();
    bool found = false;
    {
        standin::XErrorTrap trap(display);  // windows may go while they are looked at
        found = HasSettingsWindow(display, DefaultRootWindow(display), 2);
    }
    XCloseDisplay(display);
    return found;
}

}  // namespace

bool standin::XscreensaverSettingsOpen() {
    return UserRunsSettings() || DisplayShowsSettings();
}
