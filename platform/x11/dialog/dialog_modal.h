// Runs a laid-out dialog modally on an open display: creates its window, sends
// WM_INITDIALOG and WM_COMMAND to the procedure, and returns what EndDialog set.
#pragma once

#include <X11/Xlib.h>

#include "platform/x11/dialog/dialog_draw.h"
#include "platform/x11/dialog/dialog_state.h"
#include "platform/x11/dialog/dialog_window.h"

namespace standin {

INT_PTR RunModalDialog(Display* display, const DialogPainter& painter, const DialogLayout& layout,
                       const ModalOwner& owner, DLGPROC procedure, LPARAM initParam);

// The dialog state behind a running dialog's handle, or null.
DialogState* FindRunningDialog(HWND dialog);
// Ends the running dialog `dialog` with `result`; false when it is not running.
bool EndRunningDialog(HWND dialog, INT_PTR result);
// Repaints a running dialog after its state was changed from outside.
void InvalidateRunningDialog(HWND dialog);

}  // namespace standin
