// The file behind HKEY_CURRENT_USER: where it lives, reading it safely, and
// changing it under an exclusive lock with an atomic replacement.
#pragma once

#include <functional>
#include <string>

#include "platform/x11/settings/registry_format.h"

namespace regfile {

// Files larger than this are not read (1 MiB).
constexpr size_t kMaxFileSize = size_t(1) << 20;

// $HOME when that is an absolute path, else the password database's entry;
// empty when there is none.
std::string HomeFolder();

// $XDG_CONFIG_HOME/orchardia/user.reg, or ~/.config/orchardia/user.reg when
// the variable is unset, empty or not an absolute path (home: HomeFolder);
// empty without a home folder.
std::string SettingsPath();

enum class FileState {
    Ok,           // read and parsed (an empty file reads as one without keys)
    Missing,      // no file: reads as one without keys
    Unreadable,   // exists but cannot be read: too large, not a regular file, I/O error
    Unparseable,  // read, but not a registry file
};

struct LoadedFile {
    FileState state = FileState::Missing;
    bool utf16 = false;  // stored as UTF-16LE
    Document doc;        // Ok and Missing only
    std::string why;     // Unreadable and Unparseable only
};

// Reads a regular file of at most kMaxFileSize bytes, `name` in `folder` (or a
// path from the current folder, AT_FDCWD), without blocking on a FIFO; `why`
// says what is wrong when it is Unreadable.
FileState ReadFileBytes(int folder, const std::string& name, int flags, std::string* bytes, std::string* why);

LoadedFile LoadRegistryFile(const std::string& path);

// The new text for the current document.
using Edit = std::function<std::string(const Document& current)>;

// Follows symbolic links to the file they name (creating it when missing),
// waits at most kLockWaitSeconds for the lock beside that file, loads it,
// applies `edit`, and replaces the file when the text changed, keeping its
// permission bits; `updated` receives the resulting document. A file that
// cannot be read or parsed, or that is read-only, is left alone. Every failure
// leaves the old file as it was (unless only flushing the folder failed),
// removes the temporary file and a lock file it made, and prints one line on
// standard error.
LSTATUS UpdateRegistryFile(const std::string& path, const Edit& edit, Document* updated);

}  // namespace regfile
