// A bounded wait for an exclusive flock. The wait blocks in the kernel, so a
// released lock goes at once to a waiting writer instead of to whoever polls
// first; a timer of this thread's own wakes it now and then to see the deadline
// and the end signals.
#pragma once

namespace regfile {

enum class LockWait {
    Locked,  // the lock is held
    Busy,    // another holder kept it past the deadline
    Ended,   // an end signal arrived first
    Failed,  // flock or the timer failed: errno says why
};

// Takes an exclusive flock on `fd` by `deadline` (standin::MonotonicSeconds).
LockWait LockBefore(int fd, double deadline);

}  // namespace regfile
