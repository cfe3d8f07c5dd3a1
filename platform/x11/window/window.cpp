// CreateWindowExA, DestroyWindow and ShowWindow over X windows. A WS_POPUP
// window is an override-redirect window placed in screen coordinates (from the
// primary monitor's corner) that grabs keyboard and pointer while shown; a
// WS_CHILD window is an X child of the given window and leaves device input to
// its parent, which owns it (the embedding program of a preview). Under
// --root a child of the root window is the root itself (root_window.h).
#include <X11/Xatom.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/x11/display.h"
#include "platform/x11/end_signals.h"
#include "platform/x11/window/gl_visual.h"
#include "platform/x11/window/input_grab.h"
#include "platform/x11/window/messages.h"
#include "platform/x11/process.h"
#include "platform/x11/window/root_window.h"
#include "platform/x11/unsupported.h"
#include "platform/x11/window/window_size.h"
#include "platform/x11/window/window_table.h"
#include "platform/x11/xerror.h"

namespace {

const long kPopupEvents =
    KeyPressMask | ButtonPressMask | PointerMotionMask | EnterWindowMask | FocusChangeMask | StructureNotifyMask;
const long kChildEvents = EnterWindowMask | StructureNotifyMask;

void CheckCreateArguments(DWORD exStyle, DWORD style, HMENU menu, LPVOID param) {
    if (exStyle != 0) standin::Unsupported("CreateWindowExA", "extended style", exStyle);
    DWORD kind = style & ~DWORD(WS_VISIBLE);
    if (kind != DWORD(WS_POPUP) && kind != DWORD(WS_CHILD)) standin::Unsupported("CreateWindowExA", "style", style);
    if (menu != nullptr || param != nullptr)
        standin::Unsupported("CreateWindowExA", "menu or creation parameter", reinterpret_cast<uintptr_t>(menu));
}

struct XWindowRequest {
    Window parent;
    bool popup;
    int x, y, width, height;
    standin::RootDrawing root;
};

// Creates the X window with the GL visual when there is one; 0 when the server
// refuses (a parent that names no window).
Window CreateXWindow(Display* display, const XWindowRequest& request, Colormap* colormap) {
    XSetWindowAttributes attributes = {};
    unsigned long mask = CWBackPixel | CWBorderPixel | CWEventMask;
    attributes.event_mask = request.popup ? kPopupEvents : kChildEvents;
    attributes.override_redirect = True;
    if (request.popup || request.root == standin::RootDrawing::LowestChild) mask |= CWOverrideRedirect;
    Visual* visual = CopyFromParent;
    int depth = CopyFromParent;
    const XVisualInfo* glVisual = standin::WindowVisual(display);
    standin::XErrorTrap trap(display);
    if (glVisual != nullptr) {
        *colormap = XCreateColormap(display, RootWindow(display, glVisual->screen), glVisual->visual, AllocNone);
        attributes.colormap = *colormap;
        mask |= CWColormap;
        visual = glVisual->visual;
        depth = glVisual->depth;
    }
    // Windows allows empty windows, X does not: an empty one becomes 1x1.
    Window id = XCreateWindow(display, request.parent, request.x, request.y, unsigned(std::max(request.width, 1)),
                              unsigned(std::max(request.height, 1)), 0, depth, InputOutput, visual, mask, &attributes);
    if (!trap.Failed()) return id;
    if (*colormap != 0) XFreeColormap(display, *colormap);
    *colormap = 0;
    return 0;
}

// A preview whose parent names no window ends without one, as on Windows; here
// it also says so once on stderr, quoting the command line as it was written.
void ReportMissingParent(HWND parent) {
    Window id = standin::ToXWindow(parent);
    std::string what = id == 0 ? "no window id (it is given in decimal; $((0x3a00007)) converts hex)"
                               : "no window has the id " + std::to_string(id);
    std::string tail = standin::CommandTail();
    standin::NoteRunFailure();
    std::fprintf(stderr, "orchardia: %s%s%s; nothing to draw into.\n", tail.c_str(), tail.empty() ? "" : ": ",
                 what.c_str());
}

}  // namespace

void standin::DescribeXWindow(Display* display, Window id, LPCSTR windowName) {
    XStoreName(display, id, windowName != nullptr ? windowName : "");
    char name[] = "orchardia";
    char className[] = "Orchardia";
    XClassHint hint = {name, className};
    XSetClassHint(display, id, &hint);
    long pid = long(getpid());
    XChangeProperty(display, id, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, id, &deleteWindow, 1);
}

namespace {

standin::WindowRecord* RecordWindow(Window id, WNDPROC proc, const XWindowRequest& request, Colormap colormap,
                                    Display* display) {
    standin::WindowRecord* record = standin::AddWindowRecord(id);
    record->proc = proc;
    record->popup = request.popup;
    record->onRoot = request.root == standin::RootDrawing::OnRoot;
    record->lowest = request.root == standin::RootDrawing::LowestChild;
    record->width = request.width;
    record->height = request.height;
    record->colormap = colormap;
    record->dc = standin::NewDeviceContext();
    record->dc->window = id;
    const XVisualInfo* glVisual = record->onRoot ? standin::RootGlVisual(display) : standin::WindowVisual(display);
    if (glVisual != nullptr) record->dc->visual = *glVisual;
    return record;
}

void ShowRecord(standin::WindowRecord* record) {
    if (record->visible) return;
    Display* display = standin::XDisplay();
    if (display == nullptr) return;
    record->visible = true;
    if (record->onRoot) return;
    if (record->lowest) {
        XMapWindow(display, record->id);
        XLowerWindow(display, record->id);
    } else {
        XMapRaised(display, record->id);
    }
    if (record->popup) standin::GrabInput(record);
    XFlush(display);
}

void HideRecord(standin::WindowRecord* record) {
    if (!record->visible) return;
    Display* display = standin::XDisplay();
    record->visible = false;
    if (display == nullptr) return;
    if (record->grabbed) standin::ReleaseInput(record);
    if (record->onRoot) return;
    standin::XErrorTrap trap(display);  // a parent destroyed under us took the window with it
    XUnmapWindow(display, record->id);
}

void DestroyXWindow(standin::WindowRecord* record, bool xWindowGone) {
    Display* display = standin::XDisplay();
    if (display == nullptr) return;
    if (record->onRoot) {
        XClearWindow(display, record->id);  // the desktop's own background again
    } else if (!xWindowGone) {
        standin::XErrorTrap trap(display);  // the server may have destroyed it already
        XDestroyWindow(display, record->id);
    }
    if (record->colormap != 0) XFreeColormap(display, record->colormap);
    XFlush(display);
}

}  // namespace

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE, LPVOID param) {
    CheckCreateArguments(exStyle, style, menu, param);
    const standin::WindowClass* windowClass = standin::FindWindowClass(className);
    Display* display = standin::XDisplay();
    if (windowClass == nullptr || display == nullptr) return nullptr;
    bool popup = (style & WS_POPUP) != 0;
    if (popup && parent != nullptr) standin::Unsupported("CreateWindowExA", "owner of a popup", 1);
    XWindowRequest request = {popup ? DefaultRootWindow(display) : standin::ToXWindow(parent), popup, x, y, width, height,
                              standin::RootDrawing::No};
    if (request.parent == 0) {
        ReportMissingParent(parent);
        return nullptr;
    }
    if (popup) {
        standin::MonitorRect primary = standin::PrimaryMonitor();
        request.x += primary.x;
        request.y += primary.y;
    }
    if (!popup) request.root = standin::RootDrawingFor(display, request.parent);
    Colormap colormap = 0;
    Window id = request.root == standin::RootDrawing::OnRoot ? request.parent : CreateXWindow(display, request, &colormap);
    if (id == 0 && !popup) ReportMissingParent(parent);
    if (id == 0) return nullptr;
    // Recorded first: errors on it are then expected.
    standin::WindowRecord* created = RecordWindow(id, windowClass->proc, request, colormap, display);
    if (!popup) created->parent = request.parent;
    standin::WatchWindowSize(created, request.parent);
    if (!created->onRoot) standin::DescribeXWindow(display, id, windowName);
    standin::InstallEndSignals();

    // As on Windows, WM_CREATE arrives inside this call; -1 refuses the window.
    HWND window = standin::ToHwnd(id);
    if (windowClass->proc(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    standin::WindowRecord* record = standin::FindWindowRecord(id);
    if (record == nullptr) return nullptr;  // destroyed during WM_CREATE
    if (style & WS_VISIBLE) ShowRecord(record);
    return window;
}

void standin::EndWindow(Window id, bool xWindowGone) {
    WindowRecord* record = FindWindowRecord(id);
    if (record == nullptr || record->destroying) return;
    record->destroying = true;
    if (!xWindowGone) HideRecord(record);
    record->proc(ToHwnd(id), WM_DESTROY, 0, 0);
    record = FindWindowRecord(id);
    if (record == nullptr) return;
    DestroyXWindow(record, xWindowGone);
    record->dc->windowAlive = false;
    RemoveWindowRecord(id);
    PurgeMessages(ToHwnd(id));
}

void standin::EndAllWindows() {
    for (Window id : LiveWindows()) EndWindow(id, DisplayLost());
}

void standin::EndGoneWindows() {
    if (!TakeWindowGoneNote()) return;
    for (Window id : LiveWindows())
        if (FindWindowRecord(id)->serverGone) EndWindow(id, true);
}

BOOL WINAPI DestroyWindow(HWND window) {
    standin::WindowRecord* record = standin::FindWindowRecord(window);
    if (record == nullptr || record->destroying) return FALSE;
    standin::EndWindow(record->id, false);
    return TRUE;
}

// Returns whether the window was visible before.
BOOL WINAPI ShowWindow(HWND window, int showCommand) {
    standin::WindowRecord* record = standin::FindWindowRecord(window);
    if (record == nullptr) return FALSE;
    BOOL wasVisible = record->visible ? TRUE : FALSE;
    switch (showCommand) {
        case SW_HIDE:
            HideRecord(record);
            break;
        case SW_SHOWNORMAL:
        case SW_SHOW:
        case SW_SHOWDEFAULT:
            ShowRecord(record);
            break;
        default:
            standin::Unsupported("ShowWindow", "show command", unsigned(showCommand));
    }
    return wasVisible;
}
