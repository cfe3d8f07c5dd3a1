#include "app/ConfigDialog.h"

#include <cstdio>
#include <string>

#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "assets/resource.h"

namespace {

void InitConfigDialog(HWND dialog) {
    // Any nonzero value shows as ticked, as the saver treats it as on.
    CheckDlgButton(dialog, IDC_USE_MIRRORS, saverContext->useMirrors != 0 ? BST_CHECKED : BST_UNCHECKED);
}

// A failed save is not a success: the user hears what failed and why, in a
// box over the dialog, before it ends as it would have.
void ReportSaveFailure(HWND dialog, const char* failedStep, LSTATUS status) {
    char reason[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  DWORD(status), 0, reason, sizeof(reason), nullptr);
    while (length > 0 && (reason[length - 1] == '\r' || reason[length - 1] == '\n')) reason[--length] = '\0';
    if (length == 0) std::snprintf(reason, sizeof(reason), "error %ld", static_cast<long>(status));
    std::string text = std::string("Use Mirrors was not saved: cannot ") + failedStep + ": " + reason;
    MessageBoxA(dialog, text.c_str(), "Orchardia", MB_OK);
}

void AcceptConfigDialog(HWND dialog) {
    saverContext->useMirrors = IsDlgButtonChecked(dialog, IDC_USE_MIRRORS) == BST_CHECKED ? 1 : 0;
    const char* failedStep = "";
    LSTATUS status = saverContext->WriteSaverSettings(&failedStep);
    if (status != ERROR_SUCCESS) ReportSaveFailure(dialog, failedStep, status);
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
