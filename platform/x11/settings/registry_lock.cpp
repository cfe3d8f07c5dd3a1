#include "platform/x11/settings/registry_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/x11/posix.h"
#include "platform/x11/settings/lock_wait.h"
#include "platform/x11/settings/registry_paths.h"
#include "platform/x11/settings/settings_folder.h"

namespace regfile {

namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A file system without flock on folders (NFS emulates it with locks that
// need a writable file): a shared folder is then edited without the lock, as
// before there was one.
bool NoLocksHere(int error) {
    return error == EBADF || error == ENOLCK || error == EOPNOTSUPP || error == EINVAL;
}

}  // namespace

FileLock::FileLock(const WriteTarget& target, Place place)
    : target_(target), place_(place), lockPath_(place == OnFolder ? target.FolderPath() : target.Path() + ".lock") {
    if (!Wait() && fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

// flock needs only a read descriptor, so a read-only lock file serves as well.
// O_NONBLOCK keeps a FIFO in the lock's place from blocking the open; only a
// regular file is taken as the lock. A lock file made here is made afresh
// (O_EXCL), so that this lock knows it made it.
bool FileLock::OpenLockFile() {
    if (place_ == OnFolder) {
        fd_ = openat(target_.Folder(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);  // a lock of its own
        if (fd_ < 0) why_ = "cannot open the folder " + lockPath_ + ": " + std::strerror(errno);
        return fd_ >= 0;
    }
    std::string name = target_.Name() + ".lock";
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    fd_ = openat(target_.Folder(), name.c_str(), flags);
    created_ = fd_ < 0 && errno == ENOENT;
    if (created_) fd_ = openat(target_.Folder(), name.c_str(), flags | O_CREAT | O_EXCL, 0600);
    struct stat info = {};
    if (fd_ >= 0 && fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) return true;
    int error = errno;
    bool exists = fstatat(target_.Folder(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    errno = error;
    if (fd_ >= 0) {
        why_ = "the lock file " + lockPath_ + " is not a regular file";
    } else if (exists && !created_) {
        why_ = "cannot open the lock file " + lockPath_ + ": " + std::strerror(errno);
    } else if (errno != EEXIST) {
        why_ = CreationFailure(lockPath_);
    }
    created_ = false;
    return false;
}

// True while the lock file locked is the one in the folder: a writer that
// removes its lock file does so holding the lock, so a waiter that then gets
// the lock of the removed file tries again with the folder's.
bool FileLock::StillInPlace() const {
    if (place_ == OnFolder) return true;
    struct stat locked = {}, named = {};
    return fstat(fd_, &locked) == 0 &&
           fstatat(target_.Folder(), (target_.Name() + ".lock").c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           SameFile(locked, named);
}

// Gives up after kLockWaitSeconds, or at once when an end signal arrives.
bool FileLock::Wait() {
    const double deadline = standin::MonotonicSeconds() + double(kLockWaitSeconds);
    for (;;) {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        if (!OpenLockFile()) {
            if (!why_.empty() || standin::MonotonicSeconds() >= deadline) break;
            continue;  // another writer made the lock file in between (EEXIST)
        }
        LockWait wait = LockBefore(fd_, deadline);
        if (wait == LockWait::Failed && place_ == OnFolder && NoLocksHere(errno)) return true;
        if (wait == LockWait::Locked && StillInPlace()) return true;
        if (wait == LockWait::Locked) continue;
        if (wait == LockWait::Failed) why_ = "cannot lock " + lockPath_ + ": " + std::strerror(errno);
        else
            why_ = "another program holds the lock " + lockPath_ + " (gave up after " +
                   (wait == LockWait::Ended ? "an end signal" : std::to_string(kLockWaitSeconds) + " seconds") + ")";
        return false;
    }
    if (why_.empty()) why_ = "another program holds the lock " + lockPath_;
    return false;
}

FileLock::~FileLock() {
    if (fd_ < 0) return;
    if (created_) unlinkat(target_.Folder(), (target_.Name() + ".lock").c_str(), 0);
    close(fd_);  // releases the lock
}

bool FileLock::Held(std::string* why) const {
    if (fd_ >= 0) return true;
    *why = why_;
    return false;
}

}  // namespace regfile
