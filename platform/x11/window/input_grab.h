// Keyboard and pointer grabs of a shown WS_POPUP window: a full-screen saver
// must receive all input, as the topmost window does on Windows. The grabs are
// taken as the window is shown, so that input during set-up waits in its queue,
// and let go before a message box, which must get the user's input.
#pragma once

#include "platform/x11/window/window_table.h"

namespace standin {

void GrabInput(WindowRecord* record);
void ReleaseInput(WindowRecord* record);
// Lets go of every window's grabs (before a message box).
void ReleaseAllInput();

}  // namespace standin
