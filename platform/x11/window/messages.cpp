// PeekMessageA, DispatchMessageA, PostMessageA, SendMessageA, PostQuitMessage:
// one queue for the one thread. PeekMessageA first acts on an end signal or a
// lost server, then takes in the X events already waiting; it never blocks.
#include <deque>

#include "platform/x11/display.h"
#include "platform/x11/end_signals.h"
#include "platform/x11/window/events.h"
#include "platform/x11/window/messages.h"
#include "platform/x11/unsupported.h"
#include "platform/x11/window/window_table.h"

namespace {

std::deque<MSG> queue;
bool quitPending = false;
int quitCode = 0;

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg = {};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

void CheckPeekArguments(HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (window != nullptr) standin::Unsupported("PeekMessageA", "window filter", reinterpret_cast<uintptr_t>(window));
    if (filterMin != 0 || filterMax != 0) standin::Unsupported("PeekMessageA", "message filter", filterMin);
    if (removeFlags != PM_REMOVE && removeFlags != PM_NOREMOVE)
        standin::Unsupported("PeekMessageA", "remove flags", removeFlags);
}

// A signal or a lost server ends every window the way an outside destruction
// does; so does the server having destroyed a window under us.
void ActOnEndRequests() {
    bool signalled = standin::TakeEndSignal();
    if (signalled || standin::DisplayLost()) standin::EndAllWindows();
    standin::EndGoneWindows();
}

}  // namespace

void standin::QueueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE && !queue.empty() && queue.back().message == WM_MOUSEMOVE &&
        queue.back().hwnd == window) {
        queue.back() = MakeMessage(window, message, wParam, lParam);
        return;
    }
    queue.push_back(MakeMessage(window, message, wParam, lParam));
}

void standin::PurgeMessages(HWND window) {
    std::deque<MSG> kept;
    for (const MSG& msg : queue)
        if (msg.hwnd != window) kept.push_back(msg);
    queue.swap(kept);
}

BOOL WINAPI PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    CheckPeekArguments(window, filterMin, filterMax, removeFlags);
    ActOnEndRequests();
    standin::PumpXEvents();
    if (!queue.empty()) {
        *msg = queue.front();
        if (removeFlags == PM_REMOVE) queue.pop_front();
        return TRUE;
    }
    if (!quitPending) return FALSE;
    *msg = MakeMessage(nullptr, WM_QUIT, WPARAM(quitCode), 0);
    if (removeFlags == PM_REMOVE) quitPending = false;
    return TRUE;
}

// The program reacts to key-downs only, so no character messages are made.
BOOL WINAPI TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    standin::WindowRecord* record = standin::FindWindowRecord(msg->hwnd);
    if (record == nullptr) return 0;
    WNDPROC proc = record->proc;
    return proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (standin::FindWindowRecord(window) == nullptr) return FALSE;
    queue.push_back(MakeMessage(window, message, wParam, lParam));
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    standin::WindowRecord* record = standin::FindWindowRecord(window);
    if (record == nullptr) return 0;
    WNDPROC proc = record->proc;
    return proc(window, message, wParam, lParam);
}

void WINAPI PostQuitMessage(int exitCode) {
    quitPending = true;
    quitCode = exitCode;
}
