#include "platform/x11/settings/registry_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/x11/settings/atomic_file.h"
#include "platform/x11/error_text.h"
#include "platform/x11/settings/registry_lock.h"
#include "platform/x11/settings/registry_paths.h"
#include "platform/x11/settings/registry_text.h"
#include "platform/x11/settings/settings_folder.h"

namespace regfile {

namespace {

bool ReadAll(int fd, std::string* bytes) {
    char buffer[65536];
    while (bytes->size() <= kMaxFileSize) {
        ssize_t count = read(fd, buffer, sizeof(buffer));
        if (count == 0) return true;
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        bytes->append(buffer, size_t(count));
    }
    return true;
}

}  // namespace

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;  // a relative one would follow the current folder
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// Reads a regular file of at most kMaxFileSize bytes, `name` in `folder` (or a
// path from the current folder). O_NONBLOCK keeps a FIFO in the file's place
// from blocking the open.
FileState ReadFileBytes(int folder, const std::string& name, int flags, std::string* bytes, std::string* why) {
    int fd = openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | flags);
    if (fd < 0 && errno == ENOENT) return FileState::Missing;
    struct stat info = {};
    if (fd < 0 || fstat(fd, &info) != 0 || (S_ISREG(info.st_mode) && !ReadAll(fd, bytes)))
        *why = std::string("it cannot be read: ") + std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        *why = "it is not a regular file";
    else if (bytes->size() > kMaxFileSize)
        *why = "it is larger than 1 MiB";
    if (fd >= 0) close(fd);
    return why->empty() ? FileState::Ok : FileState::Unreadable;
}

namespace {

bool IsBlankText(const std::string& bytes) {
    return bytes.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Says why on stderr, and keeps it as FormatMessageA's text for the status.
LSTATUS Report(const std::string& path, const std::string& why, LSTATUS status) {
    std::fprintf(stderr, "orchardia: settings not saved to %s: %s\n", path.c_str(), why.c_str());
    standin::RecordErrorText(status, path + ": " + why);
    return status;
}

// Checks the path, creates the settings folder and follows links to the file
// that a write replaces, checking every folder on the way.
bool PrepareTarget(const std::string& path, WriteTarget* target, std::string* why) {
    return FitsPathLimits(path, why) && MakeFolders(ParentFolder(path), why) && target->Open(path, why) &&
           FitsPathLimits(target->Path(), why);
}

// A file without any write permission bit, or one this user may not write, is
// protected: it is refused, as the registry refuses a protected key. Otherwise
// `mode` receives the permission bits the new file keeps (0600 for a new one).
bool MayReplace(const WriteTarget& target, mode_t* mode, std::string* why) {
    struct stat info = {};
    *mode = 0600;
    if (fstatat(target.Folder(), target.Name().c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return true;
    if ((info.st_mode & 0222) == 0 || faccessat(target.Folder(), target.Name().c_str(), W_OK, 0) != 0) {
        char octal[8];
        std::snprintf(octal, sizeof(octal), "%04o", unsigned(info.st_mode & 0777));
        *why = std::string("the file is read-only (mode ") + octal + "); it was left as it is";
        return false;
    }
    *mode = info.st_mode & 0777;
    return true;
}

// The file `name` in `folder`; `flags` adds to the open's.
LoadedFile LoadFile(int folder, const std::string& name, int flags) {
    LoadedFile loaded;
    std::string bytes;
    loaded.state = name.empty() ? FileState::Missing : ReadFileBytes(folder, name, flags, &bytes, &loaded.why);
    if (loaded.state == FileState::Unreadable) return loaded;
    if (loaded.state == FileState::Missing || IsBlankText(bytes)) {
        ParseDocument(EmptyDocumentText(), &loaded.doc, &loaded.why);
        return loaded;
    }
    FileText file;
    if (!DecodeFileText(bytes, &file, &loaded.why) || !ParseDocument(file.text, &loaded.doc, &loaded.why)) {
        loaded.state = FileState::Unparseable;
        loaded.doc = Document();
    }
    loaded.utf16 = file.utf16;
    return loaded;
}

// $XDG_CONFIG_HOME when it is an absolute path, else "".
std::string ConfigHome() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config != nullptr && config[0] == '/' ? config : "";
}

// A home folder that is named but missing (the password database's
// "/nonexistent") is not made by a save; it is said to be missing.
bool HomeIsThere(std::string* why) {
    struct stat info = {};
    std::string home = HomeFolder();
    if (!ConfigHome().empty() || stat(home.c_str(), &info) == 0 || errno != ENOENT) return true;
    *why = "the home folder " + home + " does not exist";
    return false;
}

}  // namespace

std::string SettingsPath() {
    std::string base = ConfigHome();
    if (base.empty()) {
        std::string home = HomeFolder();
        if (home.empty()) return "";
        base = home + "/.config";
    }
    return base + "/orchardia/user.reg";
}

LoadedFile LoadRegistryFile(const std::string& path) {
    return LoadFile(AT_FDCWD, path, 0);
}

LSTATUS UpdateRegistryFile(const std::string& path, const Edit& edit, Document* updated) {
    std::string why;
    WriteTarget target;
    if (path.empty())
        return Report("~/.config/orchardia/user.reg", "there is no home folder", ERROR_REGISTRY_IO_FAILED);
    if (!HomeIsThere(&why) || !PrepareTarget(path, &target, &why))
        return Report(Shortened(path), why, ERROR_REGISTRY_IO_FAILED);
    FileLock lock(target);
    if (!lock.Held(&why)) return Report(path, why, ERROR_REGISTRY_IO_FAILED);

    LoadedFile loaded = LoadFile(target.Folder(), target.Name(), O_NOFOLLOW);
    if (loaded.state == FileState::Unreadable)
        return Report(path, loaded.why + "; it was left as it is", ERROR_REGISTRY_IO_FAILED);
    if (loaded.state == FileState::Unparseable)
        return Report(path, "it was left as it is, as " + loaded.why, ERROR_BADDB);

    FileText result{edit(loaded.doc), loaded.utf16};
    if (!ParseDocument(result.text, updated, &why)) return Report(path, "the change would not read back", ERROR_BADDB);
    if (result.text == loaded.doc.text && loaded.state == FileState::Ok) return ERROR_SUCCESS;

    std::string bytes = EncodeFileText(result);
    if (bytes.size() > kMaxFileSize) return Report(path, "it would grow larger than 1 MiB", ERROR_REGISTRY_IO_FAILED);
    mode_t mode = 0600;
    if (!MayReplace(target, &mode, &why)) return Report(path, why, ERROR_ACCESS_DENIED);
    if (!ReplaceFileAtomically(target, bytes, mode, &why)) return Report(path, why, ERROR_REGISTRY_IO_FAILED);
    lock.Keep();
    return ERROR_SUCCESS;
}

}  // namespace regfile
