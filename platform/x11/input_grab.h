// Keyboard and pointer grabs of a shown WS_POPUP window: a full-screen saver
// must receive all input, as the topmost window does on Windows.
#pragma once

#include "platform/x11/window_table.h"

namespace standin {

void GrabInput(WindowRecord* record);
void ReleaseInput(WindowRecord* record);

}  // namespace standin
