// The exclusive lock that keeps writers of one settings file apart. Waiting for
// it is bounded, so that a stuck writer elsewhere cannot freeze the dialog.
#pragma once

#include <string>

namespace regfile {

class WriteTarget;

// How long a writer waits for another program to release the lock, in seconds.
constexpr int kLockWaitSeconds = 5;

// An exclusive flock on the lock file beside the target (its name plus
// ".lock"), held for the object's lifetime. An end signal ends the wait.
class FileLock {
public:
    explicit FileLock(const WriteTarget& target);
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
