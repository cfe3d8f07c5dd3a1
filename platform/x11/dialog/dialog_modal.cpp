#include "platform/x11/dialog/dialog_modal.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

#include "platform/x11/display.h"
#include "platform/x11/end_signals.h"
#include "platform/x11/window/event_wait.h"
#include "platform/x11/xerror.h"

namespace standin {

namespace {

struct ModalSession {
    ModalSession(Display* sessionDisplay, const DialogPainter& sessionPainter, const DialogLayout& layout,
                 DLGPROC sessionProcedure)
        : display(sessionDisplay), painter(sessionPainter), state(layout), procedure(sessionProcedure) {}

    HWND Handle() const { return reinterpret_cast<HWND>(window); }

    Display* display;
    const DialogPainter& painter;
    DialogState state;
    DLGPROC procedure;
    Window window = None;
    Window endsWith = None;
    std::vector<Window> controls;  // one input-only child per item: the items' handles
    Pixmap buffer = None;
    GC gc = nullptr;
    bool mapped = false;
    bool active = false;  // holds the input focus
    bool destroyed = false;
    bool ended = false;
    bool dirty = true;
    INT_PTR result = 0;
};

std::vector<ModalSession*> runningDialogs;

ModalSession* FindSession(HWND dialog) {
    for (ModalSession* session : runningDialogs) {
        if (session->Handle() == dialog) return session;
    }
    return nullptr;
}

void CreateWindows(ModalSession& s, const ModalOwner& owner) {
    const DialogLayout& layout = s.state.Layout();
    s.window = CreateModalWindow(s.display, owner, layout.caption, layout.width, layout.height, s.painter.FacePixel());
    for (const DialogItem& item : layout.items) {
        s.controls.push_back(XCreateWindow(s.display, s.window, item.rect.x, item.rect.y, item.rect.width,
                                           item.rect.height, 0, 0, InputOnly, CopyFromParent, 0, nullptr));
    }
    XMapSubwindows(s.display, s.window);
    s.buffer = XCreatePixmap(s.display, s.window, layout.width, layout.height, DefaultDepth(s.display, owner.screen));
    s.gc = XCreateGC(s.display, s.window, 0, nullptr);
}

void DestroyWindows(ModalSession& s) {
    XErrorTrap trap(s.display);  // the window may already be gone
    if (!s.destroyed) XDestroyWindow(s.display, s.window);
    XFreePixmap(s.display, s.buffer);
    XFreeGC(s.display, s.gc);
}

// WM_COMMAND with the id in the low word, BN_CLICKED (0) in the high word and
// the control's handle.
void Dispatch(ModalSession& s, const DialogCommand& command) {
    if (!command.send || s.ended) return;
    LPARAM control = command.item >= 0 ? static_cast<LPARAM>(s.controls[command.item]) : 0;
    s.procedure(s.Handle(), WM_COMMAND, static_cast<WORD>(command.id), control);
}

bool TranslateKey(XKeyEvent& key, bool press, DialogKey* out) {
    KeySym symbol = XLookupKeysym(&key, 0);
    if (!press) {
        if (symbol == XK_space) *out = DialogKey::SpaceUp;
        return symbol == XK_space;
    }
    switch (symbol) {
        case XK_Tab: *out = (key.state & ShiftMask) ? DialogKey::ShiftTab : DialogKey::Tab; return true;
        case XK_ISO_Left_Tab: *out = DialogKey::ShiftTab; return true;
        case XK_Return:
        case XK_KP_Enter: *out = DialogKey::Enter; return true;
        case XK_Escape: *out = DialogKey::Escape; return true;
        case XK_space: *out = DialogKey::SpaceDown; return true;
        case XK_F4: *out = DialogKey::AltF4; return (key.state & Mod1Mask) != 0;
        default: return false;
    }
}

void HandleKey(ModalSession& s, XEvent& event) {
    DialogKey key;
    if (!TranslateKey(event.xkey, event.type == KeyPress, &key)) return;
    Dispatch(s, s.state.OnKey(key));
    s.dirty = true;
}

void HandlePointer(ModalSession& s, const XEvent& event) {
    if (event.type == MotionNotify) {
        s.state.OnPointerMove(event.xmotion.x, event.xmotion.y);
    } else if (event.xbutton.button != Button1) {
        return;
    } else if (event.type == ButtonPress) {
        s.state.OnPointerDown(event.xbutton.x, event.xbutton.y);
    } else {
        Dispatch(s, s.state.OnPointerUp(event.xbutton.x, event.xbutton.y));
    }
    s.dirty = true;
}

void HandleFocus(ModalSession& s, const XFocusChangeEvent& focus) {
    if (focus.detail == NotifyPointer) return;
    s.active = focus.type == FocusIn;
    if (!s.active) s.state.OnFocusLost();
    s.dirty = true;
}

// An end signal or the server's loss closes the box as its close button
// would; the box ends whatever its procedure makes of that.
void EndOnRequest(ModalSession& s) {
    Dispatch(s, s.state.OnClose());
    s.ended = true;
}

void HandleStructure(ModalSession& s, const XEvent& event) {
    if (event.type == DestroyNotify && event.xany.window == s.endsWith && s.endsWith != None) return EndOnRequest(s);
    if (event.xany.window != s.window) return;
    if (event.type == MapNotify) {
        s.mapped = true;
        s.dirty = true;
        FocusModalWindow(s.display, s.window);
    } else if (event.type == UnmapNotify) {
        s.mapped = false;
    } else if (event.type == DestroyNotify) {
        // Destroyed from outside: a close, and the end of the dialog.
        s.destroyed = true;
        Dispatch(s, s.state.OnClose());
    }
}

void HandleEvent(ModalSession& s, XEvent& event) {
    switch (event.type) {
        case Expose: s.dirty = s.dirty || event.xexpose.count == 0; break;
        case KeyPress:
        case KeyRelease: HandleKey(s, event); break;
        case ButtonPress:
        case ButtonRelease:
        case MotionNotify: HandlePointer(s, event); break;
        case FocusIn:
        case FocusOut: HandleFocus(s, event.xfocus); break;
        case ClientMessage:
            if (IsCloseRequest(event.xclient)) Dispatch(s, s.state.OnClose());
            break;
        case MapNotify:
        case UnmapNotify:
        case DestroyNotify: HandleStructure(s, event); break;
        default: break;
    }
}

void Repaint(ModalSession& s) {
    if (!s.mapped || s.destroyed) return;
    XErrorTrap trap(s.display);
    s.painter.Paint(s.buffer, s.state, s.active);
    const DialogLayout& layout = s.state.Layout();
    XCopyArea(s.display, s.buffer, s.window, s.gc, 0, 0, layout.width, layout.height, 0, 0);
    s.dirty = false;
}

// Asks for the destruction of another program's window; false when it is gone.
bool WatchDestruction(Display* display, Window window) {
    XErrorTrap trap(display);
    XSelectInput(display, window, StructureNotifyMask);
    XWindowAttributes attributes = {};
    return XGetWindowAttributes(display, window, &attributes) != 0 && !trap.Failed();
}

void RunLoop(ModalSession& s) {
    if (s.endsWith != None && !WatchDestruction(s.display, s.endsWith)) return EndOnRequest(s);
    XMapWindow(s.display, s.window);
    while (!s.ended && !s.destroyed) {
        if (!WaitForXEvent(s.display)) return EndOnRequest(s);
        XEvent event;
        XNextEvent(s.display, &event);
        HandleEvent(s, event);
        if (s.dirty && PendingXEvents(s.display) == 0) Repaint(s);
    }
}

}  // namespace

INT_PTR RunModalDialog(Display* display, const DialogPainter& painter, const DialogLayout& layout,
                       const ModalOwner& owner, DLGPROC procedure, LPARAM initParam) {
    InstallEndSignals();
    XkbSetDetectableAutoRepeat(display, True, nullptr);  // a held Space is one press, one release
    ModalSession session(display, painter, layout, procedure);
    session.endsWith = owner.endsWith;
    CreateWindows(session, owner);
    runningDialogs.push_back(&session);

    int first = session.state.FirstTabStop();
    WPARAM focusControl = first >= 0 ? session.controls[first] : 0;
    if (procedure(session.Handle(), WM_INITDIALOG, focusControl, initParam) != 0) session.state.SetFocus(first);
    if (!session.ended) RunLoop(session);

    runningDialogs.erase(std::find(runningDialogs.begin(), runningDialogs.end(), &session));
    DestroyWindows(session);
    return session.result;
}

DialogState* FindRunningDialog(HWND dialog) {
    ModalSession* session = FindSession(dialog);
    return session != nullptr ? &session->state : nullptr;
}

bool EndRunningDialog(HWND dialog, INT_PTR result) {
    ModalSession* session = FindSession(dialog);
    if (session == nullptr) return false;
    session->ended = true;
    session->result = result;
    return true;
}

void InvalidateRunningDialog(HWND dialog) {
    ModalSession* session = FindSession(dialog);
    if (session != nullptr) session->dirty = true;
}

}  // namespace standin
