// The POSIX helpers the stand-in's subsystems share: errno as text, a link's
// target, the monotonic clock and a sleep that outlasts signal handlers.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

// strerror(errno), for "cannot ... : <reason>" messages.
std::string ErrnoText();
// The target of the link `name` in the folder `folder` (AT_FDCWD: `name` is a
// path), as stored; empty when it cannot be read.
std::string ReadLinkAt(int folder, const std::string& name);
// CLOCK_MONOTONIC in nanoseconds, and in seconds.
int64_t MonotonicNanoseconds();
double MonotonicSeconds();
// Sleeps for `milliseconds`, going on where a signal handler interrupted it.
void SleepMilliseconds(unsigned long milliseconds);

}  // namespace standin
