#include "app/SaverWindow.h"

#include <cstdlib>

#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "scene/Scene.h"

namespace {

// A full-screen run with no password dialog up: input counts.
bool SaverIdle() {
    return saverMode == ModeSaver && saverContext->checkingPassword == 0;
}

void RecordWindowCreation(HWND window) {
    saverContext->window = window;
    GetCursorPos(&saverContext->startCursor);
    saverContext->startTick = GetTickCount();
}

void CheckMouseMovement() {
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    // Widened so that no pair of coordinates can overflow the difference.
    long long dx = std::llabs(static_cast<long long>(cursor.x) - saverContext->startCursor.x);
    long long dy = std::llabs(static_cast<long long>(cursor.y) - saverContext->startCursor.y);
    if (dx > saverContext->mouseThreshold || dy > saverContext->mouseThreshold) saverContext->RequestClose();
}

// Granted at once within the grace period, afterwards by the password check.
void DecideClose(HWND window) {
    if (saverContext->closeRequested == 0 || saverContext->checkingPassword != 0) return;
    DWORD elapsed = GetTickCount() - saverContext->startTick;
    if (elapsed <= saverContext->passwordDelay * 1000u) {
        DestroyWindow(window);
        return;
    }
    saverContext->BeginPasswordCheck();
    int ok = VerifySaverPassword(window);
    saverContext->EndPasswordCheck();
    if (ok != 0) DestroyWindow(window);
}

void ShowSaverCursor() {
    SetCursor(SaverIdle() ? nullptr : LoadCursorA(nullptr, IDC_ARROW));
}

// The Scene exists from set-up on; the sizes Windows reports while the window
// is being created are the ones the set-up reads anyway.
void ResizeScene(LPARAM size) {
    if (activeScene != nullptr) activeScene->Resize(LOWORD(size), HIWORD(size));
}

// A full-screen window covers the primary screen at its new size. The pointer
// the change may have moved is not the user's: it is the new start position.
void CoverPrimaryScreen(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    GetCursorPos(&saverContext->startCursor);
}

}  // namespace

void SaverContext::RequestClose() {
    closeRequested = 1;
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void SaverContext::BeginPasswordCheck() {
    checkingPassword = 1;
    SendMessageA(window, WM_SETCURSOR, 0, 0);
}

void SaverContext::EndPasswordCheck() {
    checkingPassword = 0;
    SendMessageA(window, WM_SETCURSOR, 0, 0);
    GetCursorPos(&startCursor);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            RecordWindowCreation(window);
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        case WM_SIZE:
            ResizeScene(lParam);
            break;
        case WM_DISPLAYCHANGE:
            if (saverMode == ModeSaver) CoverPrimaryScreen(window);
            break;
        case WM_ACTIVATE:
        case WM_ACTIVATEAPP:
        case WM_NCACTIVATE:
            if (SaverIdle() && LOWORD(wParam) == 0) saverContext->RequestClose();
            break;
        case WM_CLOSE:
            if (saverMode != ModeSaver) break;
            DecideClose(window);
            return 0;
        case WM_SETCURSOR:
            ShowSaverCursor();
            break;
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (SaverIdle()) saverContext->RequestClose();
            break;
        case WM_MOUSEMOVE:
            if (SaverIdle()) CheckMouseMovement();
            break;
        case WM_SYSCOMMAND:
            if (saverMode == ModeSaver && (wParam == SC_SCREENSAVE || wParam == SC_CLOSE)) return 0;
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
