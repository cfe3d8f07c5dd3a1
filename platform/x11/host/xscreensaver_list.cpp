#include "platform/x11/host/xscreensaver_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/x11/settings/atomic_file.h"
#include "platform/x11/settings/registry_file.h"
#include "platform/x11/settings/registry_lock.h"
#include "platform/x11/settings/settings_folder.h"
#include "platform/x11/host/settings_window.h"
#include "platform/x11/host/xscreensaver_programs.h"

namespace standin {

namespace {

const char kDefaults[] = "/etc/X11/app-defaults/XScreenSaver";

std::string SettingsPath() {
    return regfile::HomeFolder() + "/.xscreensaver";
}

bool ReadFile(int folder, const std::string& name, int flags, std::string* text, std::string* why) {
    regfile::FileState state = regfile::ReadFileBytes(folder, name, flags, text, why);
    if (state == regfile::FileState::Missing) *why = "does not exist";
    if (why->compare(0, 3, "it ") == 0) why->erase(0, 3);  // said after the path
    return state == regfile::FileState::Ok;
}

// True when `text` holds a control character that no text file has (a tab,
// the line ends and a form feed are text).
bool HoldsBinary(const std::string& text) {
    for (unsigned char c : text)
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v') || c == 0x7f) return true;
    return false;
}

// Why the user's file may not be edited, or "" when it may. Only the user's
// own plain file, writable and in Unix lines, is: anything else could mean an
// edit that loses something.
std::string Oddity(const struct stat& status, const std::string& text) {
    if (S_ISLNK(status.st_mode)) return "is a symbolic link";
    if (!S_ISREG(status.st_mode)) return "is not a plain file";
    if (status.st_uid != geteuid()) return "belongs to another user";
    if (!(status.st_mode & S_IWUSR)) return "is read-only";
    if (HoldsBinary(text)) return "is not a text file (it holds control bytes)";
    if (text.find('\r') != std::string::npos) return "has CRLF line ends";
    if (!text.empty() && text.back() != '\n') return "does not end with a newline";
    return "";
}

// A new settings file: the daemon's default list, so that no saver is lost.
bool DefaultSettings(std::string* text, std::string* why) {
    std::string defaults;
    size_t begin = 0, end = 0;
    bool twice = false;
    if (!ReadFile(AT_FDCWD, kDefaults, 0, &defaults, why) ||
        !FindProgramsResource(defaults, "*programs", &begin, &end, &twice)) {
        *why = std::string("xscreensaver's default list ") + kDefaults + (why->empty() ? " has no *programs" : " " + *why);
        return false;
    }
    std::string resource = defaults.substr(begin, end - begin);
    resource.erase(resource.find('*'), 1);
    if (resource.back() != '\n') resource += '\n';
    *text = "# XScreenSaver Preferences File\n# Started by orchardia --add-to-xscreensaver from " + std::string(kDefaults) +
            "\n\n" + resource;
    return true;
}

bool Fail(const std::string& path, const std::string& why, const char* outcome = "; nothing written") {
    std::fprintf(stderr, "orchardia: %s %s%s\n", path.c_str(), why.c_str(), outcome);
    return false;
}

bool Say(const std::string& path, const std::string& what) {
    std::printf("orchardia: %s %s\n", path.c_str(), what.c_str());
    return true;
}

// A change made while xscreensaver-settings holds its own copy of the file.
std::string Warned(const std::string& what) {
    if (!XscreensaverSettingsOpen()) return what;
    return what + "; xscreensaver-settings is open: close it and open it again, or it will drop this change";
}

// The resource edited; false (said) when there was nothing to do.
bool Edit(bool add, std::string* resource, const std::string& path) {
    if (add && ListsOrchardia(*resource)) return !Say(path, "lists orchardia already; nothing changed");
    int removed = 0;
    *resource = add ? AppendOrchardia(*resource) : RemoveOrchardia(*resource, &removed);
    if (!add && removed == 0) return !Say(path, "does not list orchardia; nothing changed");
    return true;
}

// Edits the file with the folder locked: read, checked and replaced as one
// step, so that list commands run at once take turns.
bool EditLocked(const regfile::WriteTarget& target, bool add, const std::string& path) {
    struct stat status = {};
    std::string text, why;
    bool exists = fstatat(target.Folder(), target.Name().c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) return Fail(path, std::string("cannot be read (") + std::strerror(errno) + ")");
    if (!exists && !add) return Say(path, "does not exist; nothing to remove");
    if (!exists && !DefaultSettings(&text, &why)) return Fail(path, "does not exist, and " + why);
    if (exists && S_ISREG(status.st_mode) && !ReadFile(target.Folder(), target.Name(), O_NOFOLLOW, &text, &why))
        return Fail(path, why);
    if (exists && !(why = Oddity(status, text)).empty()) return Fail(path, why + "; edit it by hand");

    size_t begin = 0, end = 0;
    bool twice = false;
    if (!FindProgramsResource(text, "programs", &begin, &end, &twice))
        return Fail(path, "has no programs: resource; edit it by hand");
    if (twice) return Fail(path, "has more than one programs: resource; edit it by hand");
    std::string resource = text.substr(begin, end - begin);
    if (!Edit(add, &resource, path)) return true;
    if (!regfile::ReplaceFileAtomically(target, text.replace(begin, end - begin, resource),
                                        exists ? status.st_mode & 07777 : 0644, &why,
                                        regfile::TemporaryFolder::Shared))
        return Fail(path, "was not replaced as it should be: " + why, "");
    if (!exists) return Say(path, Warned("made from xscreensaver's default list, with \"GL: orchardia --root\" added to it"));
    return Say(path, Warned(add ? "now lists \"GL: orchardia --root\" last among its programs"
                                : "no longer lists orchardia among its programs"));
}

}  // namespace

bool EditXscreensaverList(bool add) {
    const std::string path = SettingsPath();
    struct stat status = {};
    std::string why;
    if (lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode))
        return Fail(path, Oddity(status, "") + "; edit it by hand");
    // The folder gets the settings store's checks: nobody else may swap the
    // file. The lock is the folder's own, as nothing of ours may be left in it.
    regfile::WriteTarget target;
    if (!target.Open(path, &why)) return Fail(path, "is not changed: " + why, "");
    regfile::FileLock lock(target, regfile::FileLock::OnFolder);
    if (!lock.Held(&why)) return Fail(path, "is not changed: " + why, "");
    return EditLocked(target, add, path);
}

}  // namespace standin
