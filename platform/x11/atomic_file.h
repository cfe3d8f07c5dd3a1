// Whole-file replacement that a crash or a failure cannot tear: the new bytes
// go to a temporary file in the same folder, are flushed to disk, and the
// temporary file is renamed over the old one.
#pragma once

#include <string>

namespace regfile {

// Replaces the file at `path` (mode 0600) through the temporary file
// `path`.tmp; the caller holds a lock that keeps other writers out meanwhile.
// On failure the old file is as it was, no temporary file remains, and `why`
// says what failed.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, std::string* why);

// Creates the folder and any missing parents with mode 0700.
bool MakeFolders(const std::string& folder, std::string* why);

// An exclusive flock on a lock file, held for the object's lifetime.
class FileLock {
public:
    explicit FileLock(const std::string& lockPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held(std::string* why) const;

private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace regfile
