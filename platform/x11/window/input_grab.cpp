#include "platform/x11/window/input_grab.h"

#include <cstdio>

#include "platform/x11/display.h"
#include "platform/x11/posix.h"

// Owner events: input meant for the process's own windows (a dialog it shows
// over the saver) still reaches them; everything else goes to the grab window.

namespace {

const unsigned kPointerEvents = ButtonPressMask | PointerMotionMask | EnterWindowMask;
const int kGrabAttempts = 20;  // another client may hold a grab for a moment
const unsigned long kGrabRetryMilliseconds = 50;

bool TryGrabs(Display* display, Window id, bool* keyboard, bool* pointer) {
    if (!*keyboard)
        *keyboard = XGrabKeyboard(display, id, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    if (!*pointer)
        *pointer = XGrabPointer(display, id, True, kPointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                                CurrentTime) == GrabSuccess;
    return *keyboard && *pointer;
}

}  // namespace

// Retries for about a second; without the keyboard grab the window at least
// takes the input focus, so keys still reach it.
void standin::GrabInput(WindowRecord* record) {
    Display* display = OpenedXDisplay();
    if (display == nullptr) return;
    XSync(display, False);
    bool keyboard = false, pointer = false;
    for (int attempt = 0; attempt < kGrabAttempts && !TryGrabs(display, record->id, &keyboard, &pointer); ++attempt) {
        standin::SleepMilliseconds(kGrabRetryMilliseconds);
    }
    record->grabbed = keyboard || pointer;
    if (!keyboard) {
        std::fprintf(stderr, "orchardia: another program holds the keyboard; keys may not reach the saver\n");
        XSetInputFocus(display, record->id, RevertToParent, CurrentTime);
    }
    if (!pointer) std::fprintf(stderr, "orchardia: another program holds the pointer\n");
}

void standin::ReleaseInput(WindowRecord* record) {
    Display* display = XDisplay();
    record->grabbed = false;
    if (display == nullptr) return;
    XUngrabKeyboard(display, CurrentTime);
    XUngrabPointer(display, CurrentTime);
}

void standin::ReleaseAllInput() {
    Display* display = OpenedXDisplay();
    for (Window id : LiveWindows()) {
        WindowRecord* record = FindWindowRecord(id);
        if (record->grabbed) ReleaseInput(record);
    }
    if (display != nullptr) XSync(display, False);  // let go before the box asks for the focus
}
