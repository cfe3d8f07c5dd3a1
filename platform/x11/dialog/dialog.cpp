// DialogBoxParamA, EndDialog, CheckDlgButton and IsDlgButtonChecked: the
// program's dialog templates shown as modal X windows.
#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "platform/x11/dialog/dialog_draw.h"
#include "platform/x11/dialog/dialog_modal.h"
#include "platform/x11/dialog/dialog_template.h"
#include "platform/x11/dialog/dialog_unsupported.h"
#include "platform/x11/dialog/dialog_window.h"
#include "platform/x11/win32.h"

namespace {

const char kWhat[] = "the configuration dialog";

INT_PTR ShowDialog(Display* display, const standin::DialogTemplate& dialogTemplate, HWND ownerHandle,
                   DLGPROC procedure, LPARAM initParam) {
    standin::ModalOwner owner;
    if (!standin::ResolveOwner(display, ownerHandle, &owner)) {
        std::fprintf(stderr, "orchardia: cannot show %s: owner window %" PRIdPTR " does not exist\n", kWhat,
                     reinterpret_cast<intptr_t>(ownerHandle));
        return -1;
    }
    standin::DialogPainter painter(display, owner.screen);
    if (!painter.Ready()) {
        std::fprintf(stderr, "orchardia: cannot show %s: no font found\n", kWhat);
        return -1;
    }
    return standin::RunModalDialog(display, painter, standin::LayOutDialog(dialogTemplate), owner, procedure,
                                   initParam);
}

}  // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND owner, DLGPROC procedure, LPARAM initParam) {
    const standin::DialogTemplate* dialogTemplate = standin::FindDialogTemplate(templateName);
    if (dialogTemplate == nullptr) {
        standin::DialogUnsupported("DialogBoxParamA of a dialog other than %d", 104);
    }
    if (procedure == nullptr) standin::DialogUnsupported("DialogBoxParamA without a dialog procedure");
    Display* display = standin::OpenModalDisplay(kWhat);
    if (display == nullptr) return -1;
    INT_PTR result = ShowDialog(display, *dialogTemplate, owner, procedure, initParam);
    XCloseDisplay(display);
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    return standin::EndRunningDialog(dialog, result) ? TRUE : FALSE;
}

BOOL WINAPI CheckDlgButton(HWND dialog, int buttonId, UINT check) {
    standin::DialogState* state = standin::FindRunningDialog(dialog);
    // A two-state box shows any nonzero state as ticked.
    if (state == nullptr || !state->SetCheckedById(buttonId, check != BST_UNCHECKED)) return FALSE;
    standin::InvalidateRunningDialog(dialog);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int buttonId) {
    standin::DialogState* state = standin::FindRunningDialog(dialog);
    bool checked = false;
    if (state == nullptr || !state->CheckedById(buttonId, &checked)) return BST_UNCHECKED;
    return checked ? BST_CHECKED : BST_UNCHECKED;
}
