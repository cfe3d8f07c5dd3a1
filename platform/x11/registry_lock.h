// The exclusive lock that keeps writers of one settings file apart. Waiting for
// it is bounded, so that a stuck writer elsewhere cannot freeze the dialog.
#pragma once

#include <string>

namespace regfile {

// How long a writer waits for another program to release the lock, in seconds.
constexpr int kLockWaitSeconds = 5;

// An exclusive flock on a lock file, held for the object's lifetime.
class FileLock {
public:
    explicit FileLock(const std::string& lockPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held(std::string* why) const;

private:
    bool Wait(const std::string& lockPath);

    int fd_ = -1;
    std::string why_;
};

}  // namespace regfile
