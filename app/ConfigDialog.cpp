#include "app/ConfigDialog.h"

#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "assets/resource.h"

namespace {

void InitConfigDialog(HWND dialog) {
    // Any nonzero value shows as ticked, as the saver treats it as on.
    CheckDlgButton(dialog, IDC_USE_MIRRORS, saverContext->useMirrors != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void AcceptConfigDialog(HWND dialog) {
    saverContext->useMirrors = IsDlgButtonChecked(dialog, IDC_USE_MIRRORS) == BST_CHECKED ? 1 : 0;
    saverContext->WriteSaverSettings();
    EndDialog(dialog, IDOK);
}

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        InitConfigDialog(dialog);
        return 1;  // the focus goes to the first tab stop, OK
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        AcceptConfigDialog(dialog);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
    return 0;
}
