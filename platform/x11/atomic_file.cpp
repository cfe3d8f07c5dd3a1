#include "platform/x11/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/x11/registry_paths.h"
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

// Makes the rename itself durable. A folder that cannot be opened, or a file
// system that cannot flush folders (EINVAL), leaves nothing to report.
bool SyncFolder(const std::string& folder, std::string* why) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    bool synced = !Injected(standin::RegistryWriteStage::SyncFolder) && (fsync(fd) == 0 || errno == EINVAL);
    if (!synced)
        *why = "the new file is in place, but the folder " + folder + " could not be flushed to disk (" +
               std::strerror(errno) + "), so a crash may undo the change";
    close(fd);
    return synced;
}

// Opens a new temporary file beside `path`: the usual name after clearing what a
// killed writer left there (the lock makes it ours), or a unique name when
// something that is not a file holds the usual one.
int CreateTemporary(const std::string& path, std::string* temporary) {
    if (Injected(standin::RegistryWriteStage::Create)) return -1;
    *temporary = path + ".tmp";
    unlink(temporary->c_str());
    int fd = open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
    *temporary = path + ".tmp.XXXXXX";
    return mkostemp(&(*temporary)[0], O_CLOEXEC);
}

bool WriteTemporary(int fd, const std::string& temporary, const std::string& bytes, mode_t mode,
                    std::string* why) {
    if (fchmod(fd, mode) != 0) {
        *why = Failure("cannot set the permissions of", temporary);
        return false;
    }
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

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode, std::string* why) {
    std::string temporary = path + ".tmp";
    int fd = CreateTemporary(path, &temporary);
    if (fd < 0) {
        *why = CreationFailure(temporary);
        return false;
    }
    bool written = WriteTemporary(fd, temporary, bytes, mode, why);
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
    return SyncFolder(ParentFolder(path), why);
}

}  // namespace regfile

void standin::FailRegistryWriteAt(RegistryWriteStage stage) {
    regfile::failingStage = stage;
}
