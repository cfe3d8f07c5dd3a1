// The saver window's reaction to input, through real X events and the
// stand-in's message queue.
#include "tests/helpers/saver_window_harness.h"

namespace {

using WindowInput = SaverWindowHarness;

struct MoveCase {
    LONG dx, dy;
    bool closes;
};

TEST_F(WindowInput, MovementBeyondTheThresholdOnEitherAxisCloses) {
    const MoveCase cases[] = {
        {0, 0, false},   {50, 0, false},  {0, 50, false}, {-50, -50, false},
        {51, 0, true},   {0, -51, true},  {-51, 3, true}, {50, 51, true},
    };
    for (const MoveCase& move : cases) {
        standin::SetManualCursor(kStartX, kStartY);
        Open();
        standin::SetManualCursor(kStartX + move.dx, kStartY + move.dy);
        SendMotion();
        PumpUntil(WM_MOUSEMOVE);
        EXPECT_EQ(Closed(), move.closes) << "moved " << move.dx << ", " << move.dy;
        if (!Closed()) DestroyWindow(window);
        Pump();
    }
}

TEST_F(WindowInput, KeysButtonsAndLossOfFocusCloseWithinTheGracePeriod) {
    struct Case {
        const char* name;
        void (*send)(SaverWindowHarness*);
        UINT message;
    };
    const Case cases[] = {
        {"key a", [](SaverWindowHarness* h) { h->SendKey(XK_a); }, WM_KEYDOWN},
        {"Escape", [](SaverWindowHarness* h) { h->SendKey(XK_Escape); }, WM_KEYDOWN},
        {"F4 without Alt", [](SaverWindowHarness* h) { h->SendKey(XK_F4); }, WM_KEYDOWN},
        {"left button", [](SaverWindowHarness* h) { h->SendButton(1); }, WM_LBUTTONDOWN},
        {"middle button", [](SaverWindowHarness* h) { h->SendButton(2); }, WM_MBUTTONDOWN},
        {"right button", [](SaverWindowHarness* h) { h->SendButton(3); }, WM_RBUTTONDOWN},
        {"focus lost", [](SaverWindowHarness* h) { h->SendFocusOut(); }, WM_ACTIVATE},
    };
    for (const Case& c : cases) {
        Open();
        c.send(this);
        PumpUntil(c.message);
        EXPECT_TRUE(Closed()) << c.name;
        EXPECT_TRUE(quitSeen) << c.name;
    }
}

TEST_F(WindowInput, WheelDoesNotClose) {
    Open();
    SendButton(4);
    SendKey(XK_b);  // a marker that arrives after the wheel event
    PumpUntil(WM_KEYDOWN);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), UINT(WM_LBUTTONDOWN)) +
                  std::count(seen.begin(), seen.end(), UINT(WM_MBUTTONDOWN)) +
                  std::count(seen.begin(), seen.end(), UINT(WM_RBUTTONDOWN)),
              0);
}

// Windows' rule: Alt combinations (not with Ctrl) and F10 are system keys,
// which do not close; Alt+F4's close command is swallowed.
TEST_F(WindowInput, OnlyKeysThatAreNoSystemKeysClose) {
    struct Case {
        const char* name;
        KeySym key;
        unsigned state;
        UINT message;
    };
    const Case cases[] = {
        {"Alt", XK_Alt_L, 0, WM_SYSKEYDOWN},
        {"Alt+x", XK_x, Mod1Mask, WM_SYSKEYDOWN},
        {"F10", XK_F10, 0, WM_SYSKEYDOWN},
        {"Ctrl+F10", XK_F10, ControlMask, WM_SYSKEYDOWN},
        {"Ctrl+Alt+x", XK_x, ControlMask | Mod1Mask, WM_KEYDOWN},
        {"Ctrl with Alt held", XK_Control_L, Mod1Mask, WM_KEYDOWN},
        {"Alt+F4", XK_F4, Mod1Mask, WM_SYSCOMMAND},
    };
    for (const Case& c : cases) {
        Open();
        SendKey(c.key, c.state);
        PumpUntil(c.message);
        EXPECT_EQ(Seen(WM_KEYDOWN), c.message == WM_KEYDOWN) << c.name;
        EXPECT_EQ(Closed(), c.message == WM_KEYDOWN) << c.name;
        if (!Closed()) DestroyWindow(window);
        Pump();
    }
}

// Only a real change of focus deactivates: not another client's keyboard grab
// taking the focus for a while, nor the end of one.
TEST_F(WindowInput, FocusLostToAGrabIsNoDeactivation) {
    const struct {
        int mode;
        bool closes;
    } cases[] = {{NotifyNormal, true}, {NotifyWhileGrabbed, true}, {NotifyGrab, false}, {NotifyUngrab, false}};
    for (const auto& c : cases) {
        Open();
        SendFocusOut(c.mode);
        SendKey(XK_Alt_L);  // a marker that arrives after the focus event
        PumpUntil(WM_SYSKEYDOWN);
        EXPECT_EQ(Seen(WM_ACTIVATE), c.closes) << "mode " << c.mode;
        EXPECT_EQ(Closed(), c.closes) << "mode " << c.mode;
        if (!Closed()) DestroyWindow(window);
        Pump();
    }
}

// Full screen, the close and screen-save commands are swallowed when wParam is
// exactly theirs; with the low bits set they reach DefWindowProcA, which masks.
TEST_F(WindowInput, SystemCommandsAreSwallowedOnlyWhenExact) {
    const struct {
        const char* name;
        SaverMode mode;
        WPARAM command;
        bool closeSent;
        int screenSaves;
    } cases[] = {
        {"close", ModeSaver, SC_CLOSE, false, 0},
        {"close, low bits set", ModeSaver, SC_CLOSE | 3, true, 0},
        {"screen save", ModeSaver, SC_SCREENSAVE, false, 0},
        {"screen save, low bits set", ModeSaver, SC_SCREENSAVE | 1, false, 1},
        {"screen save in a preview", ModePreview, SC_SCREENSAVE, false, 1},
    };
    for (const auto& c : cases) {
        saverMode = c.mode;
        Open();
        int before = standin::ScreenSaveRequests();
        EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, c.command, 0), 0) << c.name;
        EXPECT_EQ(Seen(WM_CLOSE), c.closeSent) << c.name;
        EXPECT_EQ(standin::ScreenSaveRequests() - before, c.screenSaves) << c.name;
        DestroyWindow(window);
        Pump();
    }
}

TEST_F(WindowInput, CloseBeforeAnyInputIsIgnored) {
    Open();
    SendDeleteWindow("WM_PROTOCOLS", 32, "WM_TAKE_FOCUS");  // none of these is a close request
    SendDeleteWindow("WM_CHANGE_STATE", 32, "WM_DELETE_WINDOW");
    SendDeleteWindow("WM_PROTOCOLS", 16, "WM_DELETE_WINDOW");
    Pump();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), UINT(WM_CLOSE)), 0);
    SendDeleteWindow();
    PumpUntil(WM_CLOSE);
    PostMessageA(window, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), UINT(WM_CLOSE)), 2);
    EXPECT_FALSE(Closed());
}

TEST_F(WindowInput, CursorIsHiddenWhenThePointerEnters) {
    Open();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SendEnter();
    PumpUntil(WM_SETCURSOR);
    EXPECT_EQ(standin::CurrentCursorKind(), 0);
}

TEST_F(WindowInput, PreviewLeavesInputAloneAndShowsTheArrow) {
    saverMode = ModePreview;
    Open();
    SendEnter();
    PumpUntil(WM_SETCURSOR);
    EXPECT_EQ(standin::CurrentCursorKind(), 1);

    standin::SetManualCursor(kStartX + 500, kStartY + 500);
    SendMotion();
    SendKey(XK_a);
    SendButton(1);
    SendFocusOut();
    PumpUntil(WM_ACTIVATEAPP);
    EXPECT_TRUE(Seen(WM_MOUSEMOVE) && Seen(WM_KEYDOWN) && Seen(WM_LBUTTONDOWN));
    EXPECT_FALSE(Seen(WM_CLOSE));
    EXPECT_FALSE(Closed());

    // The embedding program (or the window manager) closing it is honoured.
    SendDeleteWindow();
    PumpUntil(WM_CLOSE);
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(quitSeen);
}

}  // namespace
