#include "platform/x11/settings/settings_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/x11/posix.h"
#include "platform/x11/settings/registry_paths.h"

namespace regfile {

using standin::ErrnoText;
using standin::ReadLinkAt;

namespace {

// Links followed before giving up on a loop, as the kernel does.
constexpr int kMaxLinkHops = 40;

// Owner the user or root, and no write bit for group or others.
bool FolderIsPrivate(const struct stat& info, const std::string& folder, std::string* why) {
    if (info.st_uid != geteuid() && info.st_uid != 0) {
        *why = "the settings folder " + folder + " belongs to another user; not saved";
        return false;
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        *why = "the settings folder " + folder + " can be written by other users; not saved";
        return false;
    }
    return true;
}

// An entry of the checked folder, link or file, must be the user's own.
bool OwnedByUser(const struct stat& info, const std::string& path, std::string* why) {
    if (info.st_uid == geteuid()) return true;
    *why = (S_ISLNK(info.st_mode) ? "the link " : "the file ") + path + " belongs to another user; not saved";
    return false;
}

}  // namespace

WriteTarget::~WriteTarget() {
    if (fd_ >= 0) close(fd_);
}

bool WriteTarget::Open(const std::string& path, std::string* why) {
    std::string folder = ParentFolder(path);
    std::string name = path.substr(path.rfind('/') + 1);
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        if (!OpenFolder(folder, why)) return false;
        struct stat info = {};
        name_ = name;
        if (fstatat(fd_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) return true;
            *why = "cannot reach " + Path() + ": " + ErrnoText();
            return false;
        }
        if (!OwnedByUser(info, Path(), why)) return false;
        if (!S_ISLNK(info.st_mode)) return true;
        std::string link = ReadLinkAt(fd_, name);
        if (link.empty()) {
            *why = "cannot read the link " + Path() + ": " + ErrnoText();
            return false;
        }
        std::string next = link[0] == '/' ? link : folderPath_ + "/" + link;
        folder = ParentFolder(next);
        name = next.substr(next.rfind('/') + 1);
    }
    *why = "its symbolic links loop or go deeper than " + std::to_string(kMaxLinkHops);
    return false;
}

// Resolves the folder's own path first (a settings folder may itself be a
// link), then opens what it names without following a link and checks that.
bool WriteTarget::OpenFolder(const std::string& folder, std::string* why) {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    char* real = realpath(folder.c_str(), nullptr);
    if (real == nullptr) {
        *why = errno == ENOENT ? "the folder " + folder + " does not exist"
                               : "cannot reach " + folder + ": " + ErrnoText();
        return false;
    }
    folderPath_ = real;
    std::free(real);
    fd_ = open(folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info = {};
    if (fd_ < 0 || fstat(fd_, &info) != 0) {
        *why = "cannot open the folder " + folderPath_ + ": " + ErrnoText();
        return false;
    }
    return FolderIsPrivate(info, folderPath_, why);
}

}  // namespace regfile
