#include "platform/x11/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/x11/testing.h"

namespace regfile {

namespace {

standin::RegistryWriteStage failingStage = standin::RegistryWriteStage::Never;

// False with errno set to EIO when a test makes this stage fail.
bool Injected(standin::RegistryWriteStage stage) {
    if (failingStage != stage) return false;
    errno = EIO;
    return true;
}

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Failure(const char* what, const std::string& where) {
    return std::string(what) + " " + where + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    size_t limit = failingStage == standin::RegistryWriteStage::Write ? bytes.size() / 2 : bytes.size();
    while (done < limit) {
        ssize_t written = write(fd, bytes.data() + done, limit - done);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        done += size_t(written);
    }
    return !Injected(standin::RegistryWriteStage::Write);
}

// Makes the rename itself durable; the new file is in place either way.
void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool WriteTemporary(int fd, const std::string& temporary, const std::string& bytes, std::string* why) {
    if (!WriteAll(fd, bytes)) {
        *why = Failure("cannot write", temporary);
        return false;
    }
    if (Injected(standin::RegistryWriteStage::Sync) || fsync(fd) != 0) {
        *why = Failure("cannot flush", temporary);
        return false;
    }
    return true;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, std::string* why) {
    std::string folder = Folder(path);
    std::string temporary = path + ".tmp";
    unlink(temporary.c_str());  // left by a writer that was killed; the lock makes it ours
    int fd = Injected(standin::RegistryWriteStage::Create)
                 ? -1
                 : open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        *why = Failure("cannot create", temporary);
        return false;
    }
    bool written = WriteTemporary(fd, temporary, bytes, why);
    if (close(fd) != 0 && written) {
        *why = Failure("cannot write", temporary);
        written = false;
    }
    if (written && (Injected(standin::RegistryWriteStage::Rename) || rename(temporary.c_str(), path.c_str()) != 0)) {
        *why = Failure("cannot rename the temporary file to", path);
        written = false;
    }
    if (!written) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool MakeFolders(const std::string& folder, std::string* why) {
    struct stat info = {};
    if (stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        errno = ENOTDIR;
        *why = Failure("cannot use", folder);
        return false;
    }
    std::string parent = Folder(folder);
    if (parent != folder && !MakeFolders(parent, why)) return false;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        *why = Failure("cannot create", folder);
        return false;
    }
    return true;
}

FileLock::FileLock(const std::string& lockPath) {
    fd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    int result = fd_ < 0 ? -1 : 0;
    while (fd_ >= 0 && (result = flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (result != 0) error_ = errno;
}

FileLock::~FileLock() {
    if (fd_ >= 0) close(fd_);  // releases the lock
}

bool FileLock::Held(std::string* why) const {
    if (error_ == 0) return true;
    *why = std::string("cannot lock the settings: ") + std::strerror(error_);
    return false;
}

}  // namespace regfile

void standin::FailRegistryWriteAt(RegistryWriteStage stage) {
    regfile::failingStage = stage;
}
