// The folder a save writes into, checked as OpenSSH checks ~/.ssh: it belongs
// to the user (or root) and nobody else may write it, an existing file in it
// belongs to the user, and a link is followed only when it is the user's and
// leads into a folder that passes the same check. The folder is opened once,
// without following a link, and every later step (lock, read, write, rename)
// goes through that descriptor, so nobody can swap the folder in between.
#pragma once

#include <string>

namespace regfile {

class WriteTarget {
public:
    WriteTarget() = default;
    ~WriteTarget();
    WriteTarget(const WriteTarget&) = delete;
    WriteTarget& operator=(const WriteTarget&) = delete;

    // Follows `path` through its links to the file a save replaces (missing
    // or not); false with the reason when a check refuses the save.
    bool Open(const std::string& path, std::string* why);

    int Folder() const { return fd_; }
    const std::string& FolderPath() const { return folderPath_; }
    const std::string& Name() const { return name_; }
    std::string Path() const { return folderPath_ + "/" + name_; }

private:
    bool OpenFolder(const std::string& folder, std::string* why);

    int fd_ = -1;
    std::string folderPath_;
    std::string name_;
};

}  // namespace regfile
