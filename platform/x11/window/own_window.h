// --window: a top-level window of the program's own that the window manager
// manages, titled "Orchardia" with the program's icon. The saver draws into it
// as into a preview's window; its close button, q and Escape destroy it, which
// ends the saver inside it.
#pragma once

#include <X11/Xlib.h>

namespace standin {

// Creates and maps the window, `width` x `height` pixels. 0 when there is no
// display (said on stderr).
Window OpenOwnWindow(int width, int height);

// Handles an X event for that window (its keys and its close); true when it was one.
bool TranslateOwnWindowEvent(XEvent* event);

}  // namespace standin
