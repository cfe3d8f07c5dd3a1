// The settings store on a hostile or unlucky file system: links, a lock held
// elsewhere, paths too long, read-only files, odd lock states. Each save runs in
// a child process as an ordinary user (root may write anything) and either
// succeeds or names its reason in one line, leaving the user's file as it was.
#include <gtest/gtest.h>
#include <grp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <iterator>

#include "platform/x11/end_signals.h"
#include "platform/x11/testing.h"
#include "platform/x11/win32.h"
#include "tests/unit/config_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kOld = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n";
const std::string kNew = kOld + "\"v\"=dword:00000002\r\n";
const std::string kCreated = kNew + "\r\n";  // a new file, as the key's creation leaves it
const std::vector<std::string> kPlainTree = {"orchardia", "orchardia/user.reg", "orchardia/user.reg.lock"};
const std::vector<std::string> kRefusedTree = {"orchardia", "orchardia/user.reg"};  // no lock file was there
constexpr uid_t kNobody = 65534;
constexpr LSTATUS kNoStatus = -1;  // the child did not report one

pid_t lockHolder = 0;  // a second process holding the settings lock, while one does

void Put(const ConfigFolder& folder, const std::string& name, const std::string& bytes, mode_t mode = 0600) {
    fs::create_directories(fs::path(folder.Root() + "/" + name).parent_path());
    std::ofstream(folder.Root() + "/" + name, std::ios::binary) << bytes;
    chmod((folder.Root() + "/" + name).c_str(), mode);
}

void PutLink(const ConfigFolder& folder, const std::string& name, const std::string& target) {
    fs::create_directories(fs::path(folder.Root() + "/" + name).parent_path());
    fs::create_symlink(target, folder.Root() + "/" + name);
}

// Once a save waits on the held lock file, puts a new one, held, in its place
// and lets the old go, as a writer that removes its lock file and another that
// makes one would. A save that takes the old lock for the new one writes while
// the new is held, and is marked.
void SwapWhileWaitedOn(const std::string& lockPath, int held) {
    for (int swap = 0; swap < 2; ++swap) {  // the save locks twice: to open the key, then to set the value
        usleep(500000);                     // the save waits on `held` by now
        int fresh = open((lockPath + ".new").c_str(), O_RDONLY | O_CREAT, 0600);
        flock(fresh, LOCK_EX);
        if (geteuid() == 0) fchown(fresh, kNobody, kNobody);
        rename((lockPath + ".new").c_str(), lockPath.c_str());
        close(held);
        held = fresh;
    }
    std::string file = lockPath.substr(0, lockPath.size() - 5);
    auto changed = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {}) != kOld;
    };
    for (int look = 0; look < 50 && !changed(); ++look) usleep(10000);  // for 0.5 s, still holding the lock
    if (changed()) std::ofstream(file + ".overlapped");
}

// Holds the lock in a second process; then does `then` instead of waiting to be killed.
void HoldLock(const std::string& lockPath, void (*then)(const std::string&, int) = nullptr) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    lockHolder = fork();
    if (lockHolder == 0) {
        int fd = open(lockPath.c_str(), O_RDONLY | O_CREAT, 0600);
        flock(fd, LOCK_EX);
        alarm(30);  // gone in any case, should the test end without it
        if (write(ready[1], "x", 1) != 1) _exit(1);
        if (then != nullptr) then(lockPath, fd);
        else pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    close(ready[1]);
}

// Everything under the folder, as relative paths, sorted; links are not followed.
std::vector<std::string> Tree(const std::string& root) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        names.push_back(it->path().lexically_relative(root).string());
    std::sort(names.begin(), names.end());
    return names;
}

void GiveToNobody(const std::string& root) {
    lchown(root.c_str(), kNobody, kNobody);
    for (const std::string& name : Tree(root)) lchown((root + "/" + name).c_str(), kNobody, kNobody);
}

struct Save {
    LSTATUS status = ERROR_SUCCESS;
    std::string message;  // on standard error
};

// Sets "v" to 2 in a child process, as nobody when this one is root; with an
// end signal already caught when `signalled`.
Save SaveAsUser(bool signalled) {
    int status[2], errors[2];
    if (pipe(status) != 0 || pipe(errors) != 0) return {kNoStatus, "no pipe"};
    pid_t child = fork();
    if (child == 0) {
        dup2(errors[1], STDERR_FILENO);
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(1);
        alarm(20);  // a save that blocks fails the row instead of the suite
        if (signalled) {
            standin::InstallEndSignals();
            raise(SIGTERM);
        }
        auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
        auto openBefore = openFiles();
        LSTATUS result = SetDword("Software\\Test", "v", 2);
        if (openFiles() != openBefore) std::fprintf(stderr, "the save left a descriptor open\n");
        usleep(300000);  // long enough for a timer that a lock wait left behind to signal the process
        _exit(write(status[1], &result, sizeof(result)) == sizeof(result) ? 0 : 1);
    }
    close(status[1]);
    close(errors[1]);
    Save save;
    if (read(status[0], &save.status, sizeof(save.status)) != sizeof(save.status)) save.status = kNoStatus;
    char buffer[4096];
    for (ssize_t count; (count = read(errors[0], buffer, sizeof(buffer))) > 0;) save.message.append(buffer, count);
    close(status[0]);
    close(errors[0]);
    waitpid(child, nullptr, 0);
    return save;
}

struct FaultCase {
    const char* what;
    void (*make)(const ConfigFolder& folder);
    LSTATUS status;
    const char* reason;  // part of the one line on standard error; null: no line
    const char* file;    // where the settings are, under the root; null: nowhere
    std::string after;   // the bytes there after the save
    mode_t mode;         // and their permission bits
    std::vector<std::string> tree;  // everything under the root afterwards
    const char* foreign = nullptr;  // an entry that belongs to another user (uid 1) when the save runs
    bool signalled = false;         // an end signal arrives before the save
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.what;
}

class FaultTest : public testing::TestWithParam<FaultCase> {
protected:
    void TearDown() override {
        standin::FailRegistryWriteAt(standin::RegistryWriteStage::Never);
        if (lockHolder > 0) {
            kill(lockHolder, SIGKILL);
            waitpid(lockHolder, nullptr, 0);
        }
        lockHolder = 0;
        chmod(folder.Folder().c_str(), 0700);
        setenv("HOME", home.c_str(), 1);
    }
    ConfigFolder folder;
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "/root";
};

TEST_P(FaultTest, SavesOrNamesTheReasonAndKeepsTheFile) {
    const FaultCase& c = GetParam();
    c.make(folder);
    if (geteuid() == 0) GiveToNobody(folder.Root());
    if (c.foreign != nullptr && geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    if (c.foreign != nullptr) lchown((folder.Root() + "/" + c.foreign).c_str(), 1, 1);
    Save save = SaveAsUser(c.signalled);
    EXPECT_EQ(save.status, c.status);
    if (c.reason == nullptr) EXPECT_EQ(save.message, "");
    else EXPECT_NE(save.message.find(c.reason), std::string::npos) << save.message;
    EXPECT_LE(std::count(save.message.begin(), save.message.end(), '\n'), 1) << save.message;
    if (c.file != nullptr) {
        std::string path = folder.Root() + "/" + c.file;
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.after);
        struct stat info = {};
        EXPECT_EQ(stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0, c.mode);
    }
    EXPECT_EQ(Tree(folder.Root()), c.tree);
}

// user.reg and then link1, link2, ... : `links` links in all, the last naming "d" (one byte).
void PutChain(const ConfigFolder& folder, int links) {
    Put(folder, "orchardia/d", kOld);
    for (int i = 0; i < links; ++i)
        PutLink(folder, i == 0 ? "orchardia/user.reg" : "orchardia/link" + std::to_string(i),
                i + 1 == links ? "d" : "link" + std::to_string(i + 1));
}

std::vector<std::string> ChainTree(int links, bool locked) {
    std::vector<std::string> tree = {"orchardia", "orchardia/d", "orchardia/user.reg"};
    if (locked) tree.push_back("orchardia/d.lock");
    for (int i = 1; i < links; ++i) tree.push_back("orchardia/link" + std::to_string(i));
    std::sort(tree.begin(), tree.end());
    return tree;
}

const std::vector<std::string> kLinkedTree = {"dotfiles", "dotfiles/orchardia.reg", "dotfiles/orchardia.reg.lock",
                                              "orchardia", "orchardia/user.reg"};

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultTest,
    testing::Values(
        FaultCase{"a link, locked beside the file it names",
                  [](const ConfigFolder& f) {
                      Put(f, "dotfiles/orchardia.reg", kOld);
                      PutLink(f, "orchardia/user.reg", "../dotfiles/orchardia.reg");
                  },
                  ERROR_SUCCESS, nullptr, "dotfiles/orchardia.reg", kNew, 0600, kLinkedTree},
        FaultCase{"a chain of forty links, as many as the system follows",
                  [](const ConfigFolder& f) { PutChain(f, 40); }, ERROR_SUCCESS, nullptr, "orchardia/d", kNew,
                  0600, ChainTree(40, true)},
        FaultCase{"a chain of forty-one links", [](const ConfigFolder& f) { PutChain(f, 41); },
                  ERROR_REGISTRY_IO_FAILED, "loop or go deeper than 40", "orchardia/d", kOld, 0600,
                  ChainTree(41, false)},
        FaultCase{"a dangling link, written through",
                  [](const ConfigFolder& f) {
                      fs::create_directories(f.Root() + "/dotfiles");
                      PutLink(f, "orchardia/user.reg", f.Root() + "/dotfiles/orchardia.reg");
                  },
                  ERROR_SUCCESS, nullptr, "dotfiles/orchardia.reg", kCreated, 0600, kLinkedTree},
        FaultCase{"a lock another program holds",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      HoldLock(f.File() + ".lock");
                  },
                  ERROR_REGISTRY_IO_FAILED, "another program holds the lock", "orchardia/user.reg", kOld, 0600,
                  kPlainTree},
        FaultCase{"a lock file replaced while the save waits on it",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      HoldLock(f.File() + ".lock", SwapWhileWaitedOn);
                  },
                  ERROR_SUCCESS, nullptr, "orchardia/user.reg", kNew, 0600, kPlainTree},
        FaultCase{"a held lock and an end signal",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      HoldLock(f.File() + ".lock");
                  },
                  ERROR_REGISTRY_IO_FAILED, "gave up after an end signal", "orchardia/user.reg", kOld, 0600,
                  kPlainTree, nullptr, true},
        FaultCase{"a link as the lock file",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      PutLink(f, "orchardia/user.reg.lock", "elsewhere");
                  },
                  ERROR_REGISTRY_IO_FAILED, "cannot open the lock file", "orchardia/user.reg", kOld, 0600,
                  kPlainTree},
        FaultCase{"a FIFO as the lock file",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      mkfifo((f.File() + ".lock").c_str(), 0600);
                  },
                  ERROR_REGISTRY_IO_FAILED, "is not a regular file", "orchardia/user.reg", kOld, 0600,
                  kPlainTree},
        FaultCase{"a settings folder others may write",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      chmod(f.Folder().c_str(), 0757);
                  },
                  ERROR_REGISTRY_IO_FAILED, "can be written by other users; not saved", "orchardia/user.reg", kOld,
                  0600, {"orchardia", "orchardia/user.reg"}},
        FaultCase{"a settings folder its group may write",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      chmod(f.Folder().c_str(), 0770);
                  },
                  ERROR_REGISTRY_IO_FAILED, "can be written by other users; not saved", "orchardia/user.reg", kOld,
                  0600, kRefusedTree},
        FaultCase{"a link another user planted",
                  [](const ConfigFolder& f) {
                      Put(f, "dotfiles/orchardia.reg", kOld);
                      PutLink(f, "orchardia/user.reg", "../dotfiles/orchardia.reg");
                  },
                  ERROR_REGISTRY_IO_FAILED, "belongs to another user; not saved", "dotfiles/orchardia.reg", kOld,
                  0600, {"dotfiles", "dotfiles/orchardia.reg", "orchardia", "orchardia/user.reg"},
                  "orchardia/user.reg"},
        FaultCase{"a settings folder another user owns",
                  [](const ConfigFolder& f) { Put(f, "orchardia/user.reg", kOld); },
                  ERROR_REGISTRY_IO_FAILED, "belongs to another user; not saved", "orchardia/user.reg", kOld, 0600,
                  kRefusedTree, "orchardia"},
        FaultCase{"a path longer than the system opens",
                  [](const ConfigFolder& f) {
                      std::string deep = f.Root();
                      while (deep.size() < PATH_MAX) deep += "/d";
                      setenv("XDG_CONFIG_HOME", deep.c_str(), 1);
                  },
                  ERROR_REGISTRY_IO_FAILED, "longer than the system allows", nullptr, "", 0, {}},
        FaultCase{"a read-only file", [](const ConfigFolder& f) { Put(f, "orchardia/user.reg", kOld, 0400); },
                  ERROR_ACCESS_DENIED, "read-only", "orchardia/user.reg", kOld, 0400, kRefusedTree},
        FaultCase{"a home folder that is missing",
                  [](const ConfigFolder& f) {
                      unsetenv("XDG_CONFIG_HOME");
                      setenv("HOME", (f.Root() + "/gone").c_str(), 1);
                  },
                  ERROR_REGISTRY_IO_FAILED, "the home folder", nullptr, "", 0, {}},
        FaultCase{"a home folder under a file",
                  [](const ConfigFolder& f) {
                      unsetenv("XDG_CONFIG_HOME");
                      Put(f, "plain", "");
                      setenv("HOME", (f.Root() + "/plain/home").c_str(), 1);
                  },
                  ERROR_REGISTRY_IO_FAILED, "plain is not a folder", nullptr, "", 0, {"plain"}},
        FaultCase{"a missing home beside a settings home of its own",
                  [](const ConfigFolder& f) { setenv("HOME", (f.Root() + "/gone").c_str(), 1); }, ERROR_SUCCESS,
                  nullptr, "orchardia/user.reg", kCreated, 0600, kPlainTree},
        FaultCase{"a shared file keeps its mode",
                  [](const ConfigFolder& f) { Put(f, "orchardia/user.reg", kOld, 0644); }, ERROR_SUCCESS, nullptr,
                  "orchardia/user.reg", kNew, 0644, kPlainTree},
        FaultCase{"a read-only folder",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      chmod(f.Folder().c_str(), 0500);
                  },
                  ERROR_REGISTRY_IO_FAILED, "orchardia is read-only", "orchardia/user.reg", kOld, 0600,
                  kRefusedTree},
        FaultCase{"a read-only lock file",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      Put(f, "orchardia/user.reg.lock", "", 0400);
                  },
                  ERROR_SUCCESS, nullptr, "orchardia/user.reg", kNew, 0600, kPlainTree},
        FaultCase{"a lock file left without its settings file",
                  [](const ConfigFolder& f) { Put(f, "orchardia/user.reg.lock", ""); }, ERROR_SUCCESS, nullptr,
                  "orchardia/user.reg", kCreated, 0600, kPlainTree},
        FaultCase{"a folder where the temporary file goes",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      fs::create_directories(f.File() + ".tmp");
                  },
                  ERROR_SUCCESS, nullptr, "orchardia/user.reg", kNew, 0600,
                  {"orchardia", "orchardia/user.reg", "orchardia/user.reg.lock", "orchardia/user.reg.tmp"}},
        FaultCase{"a dangling link as the settings folder",
                  [](const ConfigFolder& f) { PutLink(f, "orchardia", f.Root() + "/unmounted"); },
                  ERROR_REGISTRY_IO_FAILED, "/unmounted, which does not exist", nullptr, "", 0, {"orchardia"}},
        FaultCase{"a folder that cannot be flushed",
                  [](const ConfigFolder& f) {
                      Put(f, "orchardia/user.reg", kOld);
                      standin::FailRegistryWriteAt(standin::RegistryWriteStage::SyncFolder);
                  },
                  ERROR_REGISTRY_IO_FAILED, "could not be flushed", "orchardia/user.reg", kNew, 0600, kRefusedTree}));

}  // namespace
