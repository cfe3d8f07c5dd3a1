// The exclusive lock that keeps writers of one settings file apart. Waiting for
// it is bounded, so that a stuck writer elsewhere cannot freeze the dialog.
#pragma once

#include <string>

namespace regfile {

class WriteTarget;

// How long a writer waits for another program to release the lock, in seconds.
constexpr int kLockWaitSeconds = 5;

// An exclusive flock held for the object's lifetime, on the lock file beside
// the target (its name plus ".lock"; the settings store's own folder) or on
// the target's folder itself (a folder that holds other programs' files, where
// nothing of ours may be left). Waiters are served in turn; an end signal ends
// the wait.
class FileLock {
public:
    enum Place { BesideFile, OnFolder };
    explicit FileLock(const WriteTarget& target, Place place = BesideFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held(std::string* why) const;
    // Keeps a lock file this lock created. Without it the file goes with the
    // lock, so that a refused save leaves the folder as it found it.
    void Keep() { created_ = false; }

private:
    bool OpenLockFile();
    bool Wait();
    bool StillInPlace() const;

    const WriteTarget& target_;
    const Place place_;
    const std::string lockPath_;
    int fd_ = -1;
    bool created_ = false;
    std::string why_;
};

}  // namespace regfile
