#include "platform/x11/registry_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/x11/registry_paths.h"

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
int OpenLockFile(const std::string& lockPath, std::string* why) {
    int fd = open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) return fd;
    int error = errno;
    struct stat info = {};
    bool exists = lstat(lockPath.c_str(), &info) == 0;
    errno = error;
    *why = exists ? "cannot open the lock file " + lockPath + ": " + std::strerror(errno) : CreationFailure(lockPath);
    return -1;
}

}  // namespace

FileLock::FileLock(const std::string& lockPath) {
    fd_ = OpenLockFile(lockPath, &why_);
    if (fd_ >= 0 && !Wait(lockPath)) {
        close(fd_);
        fd_ = -1;
    }
}

bool FileLock::Wait(const std::string& lockPath) {
    const double deadline = NowSeconds() + double(kLockWaitSeconds);
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            why_ = "cannot lock " + lockPath + ": " + std::strerror(errno);
            return false;
        }
        if (NowSeconds() >= deadline) {
            why_ = "another program holds the lock " + lockPath + " (gave up after " +
                   std::to_string(kLockWaitSeconds) + " seconds)";
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
