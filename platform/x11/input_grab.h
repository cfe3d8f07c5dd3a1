// Keyboard and pointer grabs of a shown WS_POPUP window: a full-screen saver
// must receive all input, as the topmost window does on Windows. The grabs are
// taken when the program first reads its messages after showing the window,
// so that a message box about a failed start-up (shown before any message
// loop runs) still gets the user's input.
#pragma once

#include "platform/x11/window_table.h"

namespace standin {

// Takes the grabs of every shown popup that is still waiting for them.
void TakePendingGrabs();
void ReleaseInput(WindowRecord* record);

}  // namespace standin
