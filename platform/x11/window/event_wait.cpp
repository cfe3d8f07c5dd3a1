#include "platform/x11/window/event_wait.h"

#include <poll.h>

#include "platform/x11/display.h"
#include "platform/x11/end_signals.h"

namespace {

// A signal that arrives just before poll() is seen when poll() times out.
const int kEndCheckMilliseconds = 100;

bool EndRequested() {
    return standin::EndSignalPending() || standin::DisplayLost();
}

}  // namespace

bool standin::WaitForXEvent(Display* display) {
    while (!EndRequested()) {
        if (standin::PendingXEvents(display) > 0) return true;  // reads what waits; a broken connection is noted here
        if (EndRequested()) break;
        pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, kEndCheckMilliseconds);
    }
    return false;
}
