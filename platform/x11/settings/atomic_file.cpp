#include "platform/x11/settings/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/x11/settings/registry_paths.h"
#include "platform/x11/settings/settings_folder.h"
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

// Makes the rename itself durable. A file system that cannot flush folders
// (EINVAL) leaves nothing to report.
bool SyncFolder(const WriteTarget& target, std::string* why) {
    bool synced =
        !Injected(standin::RegistryWriteStage::SyncFolder) && (fsync(target.Folder()) == 0 || errno == EINVAL);
    if (!synced)
        *why = "the new file is in place, but the folder " + target.FolderPath() +
               " could not be flushed to disk (" + std::strerror(errno) + "), so a crash may undo the change";
    return synced;
}

// Clears the temporary files a killed writer left beside the file (the lock
// makes them ours): the name plus ".tmp", or plus ".tmp." and six characters.
void ClearLeftovers(const WriteTarget& target) {
    DIR* folder = fdopendir(dup(target.Folder()));
    if (folder == nullptr) return;
    std::string prefix = target.Name() + ".tmp";
    for (dirent* entry; (entry = readdir(folder)) != nullptr;) {
        std::string name = entry->d_name;
        bool leftover = name == prefix || (name.size() == prefix.size() + 7 && name.rfind(prefix + ".", 0) == 0);
        struct stat info = {};
        int fd = target.Folder();
        if (leftover && fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            unlinkat(fd, name.c_str(), 0);
    }
    closedir(folder);
}

// A new temporary file beside the target under a name nobody can guess,
// created exclusively and never through a link: the name plus `infix` and six
// characters.
int CreateTemporary(const WriteTarget& target, const char* infix, std::string* temporary) {
    if (Injected(standin::RegistryWriteStage::Create)) return -1;
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[6] = {};
        if (getentropy(random, sizeof(random)) != 0) return -1;
        *temporary = target.Name() + infix;
        for (unsigned char byte : random) *temporary += kLetters[byte % (sizeof(kLetters) - 1)];
        int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW;
        int fd = openat(target.Folder(), temporary->c_str(), flags, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
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

bool ReplaceFileAtomically(const WriteTarget& target, const std::string& bytes, mode_t mode, std::string* why,
                           TemporaryFolder folder) {
    if (folder == TemporaryFolder::Own) ClearLeftovers(target);
    const char* infix = folder == TemporaryFolder::Own ? ".tmp." : ".orchardia-";
    std::string name;
    int fd = CreateTemporary(target, infix, &name);
    if (fd < 0) {
        *why = CreationFailure(target.Path() + infix);
        return false;
    }
    std::string temporary = target.FolderPath() + "/" + name;
    bool written = WriteTemporary(fd, temporary, bytes, mode, why);
    if (close(fd) != 0 && written) {
        *why = Failure("cannot write", temporary);
        written = false;
    }
    if (written && (Injected(standin::RegistryWriteStage::Rename) ||
                    renameat(target.Folder(), name.c_str(), target.Folder(), target.Name().c_str()) != 0)) {
        *why = Failure("cannot rename the temporary file to", target.Path());
        written = false;
    }
    if (!written) {
        unlinkat(target.Folder(), name.c_str(), 0);
        return false;
    }
    return SyncFolder(target, why);
}

}  // namespace regfile

void standin::FailRegistryWriteAt(RegistryWriteStage stage) {
    regfile::failingStage = stage;
}
