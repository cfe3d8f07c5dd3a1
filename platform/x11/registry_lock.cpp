#include "platform/x11/registry_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/x11/end_signals.h"
#include "platform/x11/registry_paths.h"
#include "platform/x11/settings_folder.h"

namespace regfile {

namespace {

// How often a waiting writer tries the lock again, in milliseconds.
constexpr long kLockPollMilliseconds = 50;

double NowSeconds() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void SleepMilliseconds(long milliseconds) {
    timespec delay = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&delay, nullptr);
}

// flock needs only a read descriptor, so a read-only lock file serves as well.
// O_NONBLOCK keeps a FIFO in the lock's place from blocking the open; only a
// regular file is taken as the lock.
int OpenLockFile(const WriteTarget& target, const std::string& lockPath, std::string* why) {
    std::string name = target.Name() + ".lock";
    int fd = openat(target.Folder(), name.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    struct stat info = {};
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return fd;
    int error = errno;
    bool exists = fstatat(target.Folder(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    errno = error;
    if (fd >= 0) {
        close(fd);
        *why = "the lock file " + lockPath + " is not a regular file";
    } else if (exists) {
        *why = "cannot open the lock file " + lockPath + ": " + std::strerror(errno);
    } else {
        *why = CreationFailure(lockPath);
    }
    return -1;
}

}  // namespace

FileLock::FileLock(const WriteTarget& target) {
    std::string lockPath = target.Path() + ".lock";
    fd_ = OpenLockFile(target, lockPath, &why_);
    if (fd_ >= 0 && !Wait(lockPath)) {
        close(fd_);
        fd_ = -1;
    }
}

// Gives up after kLockWaitSeconds, or at once when an end signal arrives.
bool FileLock::Wait(const std::string& lockPath) {
    const double deadline = NowSeconds() + double(kLockWaitSeconds);
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            why_ = "cannot lock " + lockPath + ": " + std::strerror(errno);
            return false;
        }
        bool signalled = standin::EndSignalPending();
        if (signalled || NowSeconds() >= deadline) {
            std::string after = signalled ? "an end signal" : std::to_string(kLockWaitSeconds) + " seconds";
            why_ = "another program holds the lock " + lockPath + " (gave up after " + after + ")";
            return false;
        }
        SleepMilliseconds(kLockPollMilliseconds);
    }
    return true;
}

FileLock::~FileLock() {
    if (fd_ >= 0) close(fd_);  // releases the lock
}

bool FileLock::Held(std::string* why) const {
    if (fd_ >= 0) return true;
    *why = why_;
    return false;
}

}  // namespace regfile
