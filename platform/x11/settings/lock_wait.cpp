#include "platform/x11/settings/lock_wait.h"

#include <pthread.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/x11/end_signals.h"
#include "platform/x11/posix.h"

namespace regfile {

namespace {

// How often the blocked wait wakes to look at the clock and the end signals, in milliseconds.
constexpr long kWakeMilliseconds = 100;

// A real-time signal that nothing else in the program uses; it only ends the
// blocked flock with EINTR.
int WakeSignal() {
    return SIGRTMAX - 1;
}

void Woken(int) {}

// The wake signal's handler (without SA_RESTART), unblocked in this thread, and
// a periodic timer that sends it to this thread alone; all put back as they
// were when the wait ends.
class WakeTimer {
public:
    WakeTimer() {
        struct sigaction action = {};
        action.sa_handler = Woken;
        sigemptyset(&action.sa_mask);
        sigaction(WakeSignal(), &action, &previous_);
        sigset_t wake;
        sigemptyset(&wake);
        sigaddset(&wake, WakeSignal());
        pthread_sigmask(SIG_UNBLOCK, &wake, &mask_);
        sigevent event = {};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = WakeSignal();
        event._sigev_un._tid = gettid();
        const timespec period = {0, kWakeMilliseconds * 1000000L};
        const itimerspec every = {period, period};
        started_ = timer_create(CLOCK_MONOTONIC, &event, &timer_) == 0;
        if (started_ && timer_settime(timer_, 0, &every, nullptr) != 0) Stop();
    }
    ~WakeTimer() {
        Stop();  // deleting the timer discards a signal it still had pending
        pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
        sigaction(WakeSignal(), &previous_, nullptr);
    }
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;

    bool Started() const { return started_; }

private:
    void Stop() {
        int error = errno;
        if (started_) timer_delete(timer_);
        started_ = false;
        errno = error;
    }

    struct sigaction previous_ = {};
    sigset_t mask_ = {};
    timer_t timer_ = {};
    bool started_ = false;
};

}  // namespace

LockWait LockBefore(int fd, double deadline) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return LockWait::Locked;
    if (errno != EWOULDBLOCK) return LockWait::Failed;
    WakeTimer timer;
    if (!timer.Started()) return LockWait::Failed;
    for (;;) {
        if (standin::EndSignalPending()) return LockWait::Ended;
        if (standin::MonotonicSeconds() >= deadline) return LockWait::Busy;
        if (flock(fd, LOCK_EX) == 0) return LockWait::Locked;
        if (errno != EINTR) return LockWait::Failed;
    }
}

}  // namespace regfile
