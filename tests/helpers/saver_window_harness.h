// Drives SaverWindowProc through the real stand-in: a saver window created
// with CreateWindowExA as a child of a plain X window (no grabs, so tests on
// the shared test display do not disturb each other), input delivered as X
// events, messages pumped with PeekMessageA/DispatchMessageA. The tick count
// and the cursor position are the stand-in's manual ones.
#pragma once

// GoogleTest and the stand-in's headers before Xlib, whose macros (None,
// Bool) would break their declarations.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "app/SaverWindow.h"
#include "platform/x11/testing.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

class SaverWindowHarness : public ::testing::Test {
public:
    static constexpr DWORD kStartTick = 1000000;
    static constexpr LONG kStartX = 400;
    static constexpr LONG kStartY = 300;

    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X display: run under tools/with-xvfb.sh";
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 320, 240, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        standin::UseManualClock(true);
        standin::SetManualTickCount(kStartTick);
        standin::UseManualCursor(true);
        standin::SetManualCursor(kStartX, kStartY);
        standin::SetPlatformId(VER_PLATFORM_WIN32_NT);
        saverMode = ModeSaver;
        saverContext = new SaverContext();
        saverContext->passwordDelay = 15;
        saverContext->mouseThreshold = 50;
        RegisterRecordingClass();
        current = this;
    }

    void TearDown() override {
        if (window != nullptr && !Closed()) DestroyWindow(window);
        Pump();
        delete saverContext;
        saverContext = nullptr;
        current = nullptr;
        if (display != nullptr) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
        standin::UseManualClock(false);
        standin::UseManualCursor(false);
    }

    // A fresh saver window (WM_CREATE records the cursor and the tick count).
    HWND Open() {
        seen.clear();
        quitSeen = false;
        saverContext->closeRequested = 0;
        saverContext->checkingPassword = 0;
        window = CreateWindowExA(0, "RecordingSaver", "SaverWindow", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100,
                                 reinterpret_cast<HWND>(static_cast<uintptr_t>(parent)), nullptr, nullptr, nullptr);
        EXPECT_NE(window, nullptr);
        return window;
    }

    bool Closed() const { return std::count(seen.begin(), seen.end(), UINT(WM_DESTROY)) > 0; }
    bool Seen(UINT message) const { return std::count(seen.begin(), seen.end(), message) > 0; }

    // Dispatches everything queued; WM_QUIT is recorded, not dispatched.
    void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitSeen = true;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // Pumps until the procedure has seen `message` (the X event has travelled
    // through the server), then dispatches whatever it led to.
    void PumpUntil(UINT message) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!Seen(message) && std::chrono::steady_clock::now() < deadline) {
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_TRUE(Seen(message)) << "message 0x" << std::hex << message << " never arrived";
        Pump();
    }

    // ---- X input, sent to the saver window as the server would deliver it ----
    void SendKey(KeySym key, unsigned state = 0) {
        XEvent event = BaseEvent(KeyPress);
        event.xkey.keycode = XKeysymToKeycode(display, key);
        event.xkey.state = state;
        Send(&event);
    }
    void SendButton(unsigned button) {
        XEvent event = BaseEvent(ButtonPress);
        event.xbutton.button = button;
        Send(&event);
    }
    void SendMotion() {
        XEvent event = BaseEvent(MotionNotify);
        Send(&event);
    }
    void SendEnter() {
        XEvent event = BaseEvent(EnterNotify);
        event.xcrossing.mode = NotifyNormal;
        event.xcrossing.detail = NotifyNonlinear;
        Send(&event);
    }
    void SendFocusOut(int mode = NotifyNormal) {
        XEvent event = WindowEvent(FocusOut);
        event.xfocus.mode = mode;
        event.xfocus.detail = NotifyNonlinear;
        Send(&event);
    }
    // The window manager's close request; other arguments make look-alikes that are not one.
    void SendDeleteWindow(const char* type = "WM_PROTOCOLS", int format = 32,
                          const char* protocol = "WM_DELETE_WINDOW") {
        XEvent event = WindowEvent(ClientMessage);
        event.xclient.message_type = XInternAtom(display, type, False);
        event.xclient.format = format;
        event.xclient.data.l[0] = long(XInternAtom(display, protocol, False));
        Send(&event);
    }

    Display* display = nullptr;
    Window parent = 0;
    HWND window = nullptr;
    std::vector<UINT> seen;
    bool quitSeen = false;

private:
    static LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (current != nullptr) current->seen.push_back(message);
        return SaverWindowProc(hwnd, message, wParam, lParam);
    }

    static void RegisterRecordingClass() {
        static bool registered = false;
        if (registered) return;
        WNDCLASSA windowClass = {};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "RecordingSaver";
        registered = RegisterClassA(&windowClass) != 0;
        ASSERT_TRUE(registered);
    }

    Window XWindow() const { return Window(reinterpret_cast<uintptr_t>(window)); }

    // An event of `type` for the saver window; every event starts with these fields.
    XEvent WindowEvent(int type) const {
        XEvent event = {};
        event.xany.type = type;
        event.xany.display = display;
        event.xany.window = XWindow();
        return event;
    }

    // A key, button, motion or crossing event at (10, 10): these share the fields set here.
    XEvent BaseEvent(int type) {
        XEvent event = WindowEvent(type);
        event.xkey.root = DefaultRootWindow(display);
        event.xkey.x = 10;
        event.xkey.y = 10;
        event.xkey.same_screen = True;
        return event;
    }

    // No event mask: the event goes to the client that created the window.
    void Send(XEvent* event) {
        XSendEvent(display, XWindow(), False, 0, event);
        XSync(display, False);
    }

    static inline SaverWindowHarness* current = nullptr;
};
