#include "platform/x11/posix.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

std::string standin::ErrnoText() {
    return std::strerror(errno);
}

std::string standin::ReadLinkAt(int folder, const std::string& name) {
    std::vector<char> target(PATH_MAX);
    ssize_t length = readlinkat(folder, name.c_str(), target.data(), target.size());
    return length > 0 && size_t(length) < target.size() ? std::string(target.data(), size_t(length)) : "";
}

int64_t standin::MonotonicNanoseconds() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double standin::MonotonicSeconds() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void standin::SleepMilliseconds(unsigned long milliseconds) {
    timespec remaining = {time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) {
    }
}
