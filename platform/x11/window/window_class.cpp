// RegisterClassA: the class's style and procedure, remembered by name.
#include "platform/x11/unsupported.h"
#include "platform/x11/win32.h"
#include "platform/x11/window/window_table.h"

namespace {

const UINT kSupportedClassStyles = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;

void CheckClass(const WNDCLASSA* windowClass) {
    if (windowClass->style & ~kSupportedClassStyles)
        standin::Unsupported("RegisterClassA", "class style", windowClass->style);
    if (windowClass->cbClsExtra != 0 || windowClass->cbWndExtra != 0)
        standin::Unsupported("RegisterClassA", "extra bytes", unsigned(windowClass->cbClsExtra + windowClass->cbWndExtra));
    if (windowClass->hIcon != nullptr || windowClass->hCursor != nullptr || windowClass->hbrBackground != nullptr ||
        windowClass->lpszMenuName != nullptr)
        standin::Unsupported("RegisterClassA", "icon, cursor, brush or menu", 1);
}

}  // namespace

// Fails (0) for a missing procedure or name, or a name already registered.
ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr)
        return 0;
    CheckClass(windowClass);
    standin::WindowClass entry;
    entry.style = windowClass->style;
    entry.proc = windowClass->lpfnWndProc;
    static ATOM nextAtom = 0xC000;  // Windows numbers registered classes from here
    return standin::AddWindowClass(windowClass->lpszClassName, entry) ? nextAtom++ : 0;
}
