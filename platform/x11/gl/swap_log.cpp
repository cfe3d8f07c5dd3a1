#include "platform/x11/gl/swap_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/x11/posix.h"

namespace {

int OpenLog() {
    const char* path = std::getenv("ORCHARDIA_SWAP_LOG");
    if (path == nullptr || *path == '\0') return -1;
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) std::fprintf(stderr, "orchardia: cannot open ORCHARDIA_SWAP_LOG file %s\n", path);
    return fd;
}

}  // namespace

void standin::LogSwap() {
    static int fd = OpenLog();
    if (fd < 0) return;
    int64_t now = standin::MonotonicNanoseconds();
    char line[48];
    int length = std::snprintf(line, sizeof(line), "%lld.%09lld\n", (long long)(now / 1000000000),
                               (long long)(now % 1000000000));
    if (write(fd, line, size_t(length)) != length) fd = -1;  // stop logging rather than fail a frame
}
