#include "platform/x11/settings/registry_paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/x11/posix.h"

namespace regfile {

using standin::ErrnoText;
using standin::ReadLinkAt;

namespace {

// The longest ending the writer adds to the file's name: the temporary ".tmp.XXXXXX".
constexpr size_t kLongestSuffix = 11;

bool IsDanglingLink(const std::string& path) {
    struct stat info = {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool MakeFolder(const std::string& folder, std::string* why) {
    struct stat info = {};
    if (stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        *why = folder + " is not a folder";
        return false;
    }
    if (errno != ENOENT) {
        *why = "cannot reach " + folder + ": " + ErrnoText();
        return false;
    }
    if (IsDanglingLink(folder)) {
        *why = folder + " is a link to " + ReadLinkAt(AT_FDCWD, folder) + ", which does not exist";
        return false;
    }
    if (mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return true;  // EEXIST: another writer was quicker
    *why = CreationFailure(folder);
    return false;
}

}  // namespace

std::string ParentFolder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool FitsPathLimits(const std::string& path, std::string* why) {
    if (path.size() + kLongestSuffix >= PATH_MAX) {
        *why = "the path is longer than the system allows (" + std::to_string(PATH_MAX - 1 - kLongestSuffix) +
               " bytes at most)";
        return false;
    }
    size_t start = 0;
    for (size_t end = path.find('/'); start <= path.size(); start = end + 1, end = path.find('/', start)) {
        if (end == std::string::npos) end = path.size();
        size_t length = end - start + (end == path.size() ? kLongestSuffix : 0);
        if (length > NAME_MAX) {
            *why = "a name in the path is longer than the system allows (" + std::to_string(NAME_MAX) + " bytes)";
            return false;
        }
    }
    return true;
}

std::string Shortened(const std::string& path) {
    constexpr size_t kHead = 60, kTail = 40;
    return path.size() <= kHead + kTail ? path : path.substr(0, kHead) + "..." + path.substr(path.size() - kTail);
}

bool MakeFolders(const std::string& folder, std::string* why) {
    struct stat info = {};
    if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    for (size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        if (!MakeFolder(folder.substr(0, end), why)) return false;
        if (end == std::string::npos) return true;
    }
}

std::string CreationFailure(const std::string& path) {
    std::string folder = ParentFolder(path);
    if (errno == EACCES || errno == EPERM) return "the folder " + folder + " is read-only";
    if (errno == EROFS) return "the folder " + folder + " is on a read-only file system";
    if (errno == ENOENT) return "the folder " + folder + " does not exist";
    return "cannot create " + path + ": " + ErrnoText();
}

}  // namespace regfile
