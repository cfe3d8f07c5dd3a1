// The stand-in's bookkeeping of window classes and of the windows it created.
// An HWND is the X window id; only windows in this table have a procedure.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

#include "platform/x11/win32.h"

namespace standin {

struct WindowClass {
    UINT style = 0;
    WNDPROC proc = nullptr;
};

// A window's device context. It outlives its window (the program may still hold
// the handle after destruction) and then refuses to draw.
struct DeviceContext {
    Window window = 0;
    XVisualInfo visual = {};  // fixed when the X window was created
    int pixelFormat = 0;      // set once by SetPixelFormat; 0 before
    bool windowAlive = true;
};

struct WindowRecord {
    Window id = 0;
    WNDPROC proc = nullptr;
    bool popup = false;       // WS_POPUP: grabs keyboard and pointer while shown
    bool onRoot = false;      // the root window itself (--root): never mapped or destroyed here
    bool lowest = false;      // an unmanaged child of the root, kept below every other window
    Window parent = 0;        // WS_CHILD: the X parent (a preview's host), whose size it follows
    bool visible = false;
    bool grabbed = false;
    bool destroying = false;  // inside DestroyWindow: WM_DESTROY is being sent
    bool serverGone = false;  // the X server no longer has it; its end follows at the next PeekMessageA
    Colormap colormap = 0;    // created for the window's visual, freed with it
    int width = 0;            // pixels, as created or last reported with WM_SIZE
    int height = 0;
    DeviceContext* dc = nullptr;
};

// Classes are looked up case-insensitively, as Windows does.
const WindowClass* FindWindowClass(const char* name);
bool AddWindowClass(const char* name, const WindowClass& windowClass);

// Null for a window the stand-in did not create or that has ended.
WindowRecord* FindWindowRecord(Window id);
WindowRecord* AddWindowRecord(Window id);
void RemoveWindowRecord(Window id);
std::vector<Window> LiveWindows();
DeviceContext* NewDeviceContext();

inline HWND ToHwnd(Window id) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
}
// 0 for a handle that cannot be an X window id (X ids use 29 bits).
inline Window ToXWindow(HWND window) {
    uintptr_t value = reinterpret_cast<uintptr_t>(window);
    return value <= 0x1fffffffu ? static_cast<Window>(value) : 0;
}
// The record behind a Win32 handle: null also for a window the X server no
// longer has, which counts as destroyed for every call made on it.
inline WindowRecord* FindWindowRecord(HWND window) {
    Window id = ToXWindow(window);
    WindowRecord* record = id == 0 ? nullptr : FindWindowRecord(id);
    return record != nullptr && !record->serverGone ? record : nullptr;
}

// Title, class, process id and the close protocol, for window managers and tools.
void DescribeXWindow(Display* display, Window id, const char* windowName);

// Ends a window: WM_DESTROY to its procedure, then the X window itself unless
// the server has already destroyed it (a parent destroyed under us).
void EndWindow(Window id, bool xWindowGone);
// Ends every window as an outside destruction would (signals, lost server).
void EndAllWindows();
// Ends the windows that X errors showed to be gone (see NoteWindowGone).
void EndGoneWindows();
// True once after NoteWindowGone marked a window, so the message loop's
// check costs nothing while every window is alive.
bool TakeWindowGoneNote();

}  // namespace standin
