// The stand-in's message queue: posted messages and translated X input, in
// arrival order; WM_QUIT comes once the queue is empty.
#pragma once

#include "platform/x11/win32.h"

namespace standin {

// Appends translated input. A mouse move right behind another one for the
// same window replaces it, as Windows coalesces WM_MOUSEMOVE.
void QueueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Drops every queued message for a window that is gone.
void PurgeMessages(HWND window);

}  // namespace standin
