// X events to window messages: a key press is WM_KEYDOWN (WM_SYSKEYDOWN with
// Alt, and for F10), buttons 1-3 the button-down messages, motion
// WM_MOUSEMOVE, the pointer entering WM_SETCURSOR, losing the focus (not to
// another client's grab) or the grab the three deactivation messages, the
// close protocol WM_CLOSE; size changes as window_size.cpp says, --window's
// own window as own_window.cpp says. A window destroyed by the server (also
// through its parent) gets WM_DESTROY at once.
#include "platform/x11/window/events.h"

#include <X11/keysym.h>

#include "platform/x11/display.h"
#include "platform/x11/window/messages.h"
#include "platform/x11/window/own_window.h"
#include "platform/x11/window/virtual_keys.h"
#include "platform/x11/window/window_size.h"
#include "platform/x11/window/window_table.h"

namespace {

using namespace standin;

LPARAM PointParam(int x, int y) {
    return LPARAM((unsigned(x) & 0xFFFFu) | ((unsigned(y) & 0xFFFFu) << 16));
}

// The modifier bit that Alt sets in this server's keyboard mapping.
unsigned AltMask(Display* display) {
    static unsigned mask = 0;
    if (mask != 0) return mask;
    mask = Mod1Mask;
    XModifierKeymap* map = XGetModifierMapping(display);
    KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
    for (int modifier = 0; modifier < 8 && alt != 0; ++modifier)
        for (int i = 0; i < map->max_keypermod; ++i)
            if (map->modifiermap[modifier * map->max_keypermod + i] == alt) mask = 1u << modifier;
    XFreeModifiermap(map);
    return mask;
}

bool IsAltKey(KeySym key) {
    return key == XK_Alt_L || key == XK_Alt_R || key == XK_Meta_L || key == XK_Meta_R;
}

struct KeyCodePair {
    KeySym key;
    unsigned code;
};

const KeyCodePair kNamedKeys[] = {
    {XK_BackSpace, kVkBack}, {XK_Tab, kVkTab},         {XK_Return, kVkReturn},     {XK_KP_Enter, kVkReturn},
    {XK_Shift_L, kVkShift},  {XK_Shift_R, kVkShift},   {XK_Control_L, kVkControl}, {XK_Control_R, kVkControl},
    {XK_Alt_L, kVkMenu},     {XK_Alt_R, kVkMenu},      {XK_Meta_L, kVkMenu},       {XK_Meta_R, kVkMenu},
    {XK_Pause, kVkPause},    {XK_Caps_Lock, kVkCapital}, {XK_Escape, kVkEscape},   {XK_space, kVkSpace},
    {XK_Prior, kVkPrior},    {XK_Next, kVkNext},       {XK_End, kVkEnd},           {XK_Home, kVkHome},
    {XK_Left, kVkLeft},      {XK_Up, kVkUp},           {XK_Right, kVkRight},       {XK_Down, kVkDown},
    {XK_Insert, kVkInsert},  {XK_Delete, kVkDelete},   {XK_Super_L, kVkLeftWin},   {XK_Super_R, kVkRightWin},
};

// The virtual-key code of a key; 0 for keys the program has no name for.
unsigned VirtualKeyOf(KeySym key) {
    if (key >= XK_a && key <= XK_z) return unsigned('A' + (key - XK_a));
    if ((key >= XK_A && key <= XK_Z) || (key >= XK_0 && key <= XK_9)) return unsigned(key);
    if (key >= XK_F1 && key <= XK_F24) return unsigned(kVkF1 + (key - XK_F1));
    for (const KeyCodePair& pair : kNamedKeys)
        if (pair.key == key) return pair.code;
    return 0;
}

bool IsControlKey(KeySym key) {
    return key == XK_Control_L || key == XK_Control_R;
}

// Windows' rule: F10 is always a system key; so is any other key but Ctrl
// pressed with Alt held, unless Ctrl is held too.
UINT KeyMessage(KeySym key, bool alt, bool control) {
    if (key == XK_F10) return WM_SYSKEYDOWN;
    return alt && !control && !IsControlKey(key) ? WM_SYSKEYDOWN : WM_KEYDOWN;
}

void TranslateKey(HWND window, XKeyEvent* event) {
    KeySym key = XLookupKeysym(event, 0);
    bool alt = (event->state & AltMask(event->display)) != 0 || IsAltKey(key);
    bool control = (event->state & ControlMask) != 0;
    unsigned long lParam = 1ul | ((unsigned long)((event->keycode - 8) & 0xFF) << 16) | (alt ? kKeyAltDown : 0);
    QueueInput(window, KeyMessage(key, alt, control), VirtualKeyOf(key), LPARAM(lParam));
}

WPARAM MouseKeys(unsigned state) {
    WPARAM keys = 0;
    if (state & Button1Mask) keys |= kMkLButton;
    if (state & Button2Mask) keys |= kMkMButton;
    if (state & Button3Mask) keys |= kMkRButton;
    if (state & ShiftMask) keys |= kMkShift;
    if (state & ControlMask) keys |= kMkControl;
    return keys;
}

// Buttons 4 and up (the wheel) have no message the program handles.
void TranslateButton(HWND window, const XButtonEvent& event) {
    static const UINT kMessages[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    static const WPARAM kFlags[] = {kMkLButton, kMkMButton, kMkRButton};
    if (event.button < 1 || event.button > 3) return;
    QueueInput(window, kMessages[event.button - 1], MouseKeys(event.state) | kFlags[event.button - 1],
               PointParam(event.x, event.y));
}

// Focus moving inside the window, or pointer-root bookkeeping, is no loss; nor
// is another client's grab borrowing the keyboard, or this window letting go
// of its own grab. Its grab ending otherwise (the window unmapped) is a loss.
void TranslateFocusOut(const WindowRecord& record, const XFocusChangeEvent& event) {
    if (event.detail == NotifyInferior || event.detail == NotifyPointer) return;
    bool grabChange = event.mode == NotifyGrab || event.mode == NotifyUngrab;
    if (grabChange && !(event.mode == NotifyUngrab && record.grabbed)) return;
    HWND window = ToHwnd(record.id);
    QueueInput(window, WM_NCACTIVATE, FALSE, 0);
    QueueInput(window, WM_ACTIVATE, 0, 0);
    QueueInput(window, WM_ACTIVATEAPP, FALSE, 0);
}

void TranslateClientMessage(HWND window, const XClientMessageEvent& event) {
    if (IsCloseRequest(event)) QueueInput(window, WM_CLOSE, 0, 0);
}

void Translate(XEvent* event) {
    if (TranslateSizeEvent(event) || TranslateOwnWindowEvent(event)) return;
    WindowRecord* record = FindWindowRecord(event->xany.window);
    if (record == nullptr) return;
    HWND window = ToHwnd(record->id);
    switch (event->type) {
        case KeyPress:
            TranslateKey(window, &event->xkey);
            break;
        case ButtonPress:
            TranslateButton(window, event->xbutton);
            break;
        case MotionNotify:
            QueueInput(window, WM_MOUSEMOVE, MouseKeys(event->xmotion.state),
                       PointParam(event->xmotion.x, event->xmotion.y));
            break;
        case EnterNotify:
            QueueInput(window, WM_SETCURSOR, WPARAM(window), LPARAM(kHitClient | (WM_MOUSEMOVE << 16)));
            break;
        case FocusOut:
            TranslateFocusOut(*record, event->xfocus);
            break;
        case ClientMessage:
            TranslateClientMessage(window, event->xclient);
            break;
        case DestroyNotify:
            if (event->xdestroywindow.window == record->id) EndWindow(record->id, true);
            break;
        default:
            break;
    }
}

}  // namespace

void standin::PumpXEvents() {
    Display* display = OpenedXDisplay();
    while (display != nullptr && PendingXEvents(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        Translate(&event);
        display = OpenedXDisplay();
    }
}
