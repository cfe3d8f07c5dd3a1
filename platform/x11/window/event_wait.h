// Waiting for X events in a modal loop without missing the end of the run.
#pragma once

#include <X11/Xlib.h>

namespace standin {

// True once an event is queued on `display`; false as soon as an end signal
// is pending or the server is lost (looked at every 100 ms while waiting).
bool WaitForXEvent(Display* display);

}  // namespace standin
