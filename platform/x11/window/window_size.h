// Window sizes that follow their parent or the primary monitor (window_size.cpp).
#pragma once

#include "platform/x11/window/window_table.h"

namespace standin {

// Starts following, once the window is recorded: its parent's size for a
// child, the screen's changes for a popup.
void WatchWindowSize(WindowRecord* record, Window parent);

// Handles an X event about a parent's size or about the screen (RandR); true
// when it was one of those.
bool TranslateSizeEvent(XEvent* event);

}  // namespace standin
