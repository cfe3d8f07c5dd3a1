#include "platform/x11/end_signals.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile sig_atomic_t endRequested = 0;
bool installed = false;

void RequestEnd(int) {
    endRequested = 1;
}

}  // namespace

void standin::InstallEndSignals() {
    if (installed) return;
    installed = true;
    struct sigaction action = {};
    action.sa_handler = RequestEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigset_t endSignals;
    sigemptyset(&endSignals);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signalNumber, &action, nullptr);
        sigaddset(&endSignals, signalNumber);
    }
    sigprocmask(SIG_UNBLOCK, &endSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);  // a write to a lost server fails instead of killing the process
}

bool standin::TakeEndSignal() {
    if (endRequested == 0) return false;
    endRequested = 0;
    return true;
}

bool standin::EndSignalPending() {
    return endRequested != 0;
}
