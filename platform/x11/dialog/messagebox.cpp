// MessageBoxA: the text on standard error, and a modal box with one OK button
// when a display can be opened.
#include <X11/Xlib.h>

#include <cstdio>
#include <string>

#include "platform/x11/dialog/dialog_draw.h"
#include "platform/x11/dialog/dialog_modal.h"
#include "platform/x11/dialog/dialog_unsupported.h"
#include "platform/x11/dialog/dialog_window.h"
#include "platform/x11/display.h"
#include "platform/x11/window/input_grab.h"
#include "platform/x11/dialog/messagebox_layout.h"
#include "platform/x11/dialog/messagebox_record.h"
#include "platform/x11/process.h"
#include "platform/x11/window/window_table.h"
#include "platform/x11/xerror.h"

namespace {

// OK, Enter, Space, Esc and the close button all end the box with IDOK.
INT_PTR CALLBACK MessageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return 1;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) EndDialog(box, IDOK);
    return 0;
}

// A box shown by a preview ends with the preview's parent, as the run does.
Window PreviewParent() {
    for (Window id : standin::LiveWindows()) {
        const standin::WindowRecord* record = standin::FindWindowRecord(id);
        if (record->parent != None) return record->parent;
    }
    return None;
}

void ShowMessageBox(Display* display, HWND ownerHandle, const std::string& text, const std::string& caption) {
    standin::ModalOwner owner;
    // An owner that names no window does not keep the message from the user.
    if (!standin::ResolveOwner(display, ownerHandle, &owner)) standin::ResolveOwner(display, nullptr, &owner);
    owner.endsWith = PreviewParent();
    standin::DialogPainter painter(display, owner.screen);
    if (!painter.Ready()) return;
    auto measure = [&painter](const std::string& line) { return painter.TextWidth(line); };
    standin::DialogLayout layout = standin::LayOutMessageBox(text, caption, painter.LineHeight(), measure);
    standin::RunModalDialog(display, painter, layout, owner, MessageBoxProc, 0);
}

}  // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (type != MB_OK) standin::DialogUnsupported("MessageBoxA type 0x%x (only MB_OK)", type);
    std::string shownText = text != nullptr ? text : "";
    std::string shownCaption = caption != nullptr ? caption : "Error";  // Windows' caption when none is given
    standin::ReleaseAllInput();  // a full-screen window's grabs would keep the box from the user
    standin::RecordMessageBox(shownText, shownCaption);
    standin::NoteRunFailure();  // the program's only message boxes say why its run ends
    std::fprintf(stderr, "%s: %s\n", shownCaption.c_str(), shownText.c_str());
    std::fflush(stderr);
    if (standin::MessageBoxesHeadless()) return IDOK;
    Display* display = standin::OpenXConnection();
    if (display == nullptr) return IDOK;  // no display: standard error was the whole message
    standin::InstallXErrorHandler();
    standin::WatchConnection(display);
    ShowMessageBox(display, owner, shownText, shownCaption);
    XCloseDisplay(display);
    return IDOK;
}
