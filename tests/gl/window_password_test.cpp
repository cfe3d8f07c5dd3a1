// The grace period and the password check, with the platform's password
// library played by tests/helpers/fakepassword, loaded by name.
#include <functional>

#include "tests/helpers/saver_window_harness.h"

namespace {

// What the fake library asks for each check; counts the calls.
std::function<int(HWND)> passwordAnswer;
int passwordCalls = 0;

class WindowPassword : public SaverWindowHarness {
public:
    void SetUp() override {
        SaverWindowHarness::SetUp();
        standin::SetPlatformId(VER_PLATFORM_WIN32_WINDOWS);  // so that the check runs
        standin::SetLibraryDirectory(FAKE_PASSWORD_DIR);
        passwordCalls = 0;
        passwordAnswer = [](HWND) { return 1; };
    }
    void TearDown() override {
        standin::SetLibraryDirectory("");
        passwordAnswer = nullptr;
        SaverWindowHarness::TearDown();
    }

    void PressKeyAt(DWORD tick) {
        standin::SetManualTickCount(tick);
        SendKey(XK_a);
        PumpUntil(WM_KEYDOWN);
    }
};

TEST_F(WindowPassword, InputWithinTheGracePeriodClosesWithoutACheck) {
    struct Case {
        DWORD startTick;
        DWORD elapsed;
        int checks;
    };
    const Case cases[] = {
        {1000000, 0, 0},         {1000000, 15000, 0},      {1000000, 15001, 1},
        {0xFFFFF000u, 15000, 0},  // the tick count wraps between start and input
        {0xFFFFF000u, 15001, 1},  {0xFFFFFFFFu, 1, 0},
    };
    for (const Case& c : cases) {
        passwordCalls = 0;
        passwordAnswer = [](HWND) { return ++passwordCalls, 1; };
        standin::SetManualTickCount(c.startTick);
        Open();
        PressKeyAt(c.startTick + c.elapsed);
        EXPECT_EQ(passwordCalls, c.checks) << "start " << c.startTick << " elapsed " << c.elapsed;
        EXPECT_TRUE(Closed()) << "start " << c.startTick << " elapsed " << c.elapsed;
    }
}

// During the check the arrow shows and the procedure ignores what the dialog's
// own message loop dispatches to it: input, deactivation, further closes.
TEST_F(WindowPassword, CheckingShowsTheArrowAndIgnoresInput) {
    Open();
    HWND checkedWindow = nullptr;
    LONG checkingDuringCall = 0;
    int cursorDuringCall = -1;
    passwordAnswer = [&](HWND asked) {
        if (++passwordCalls > 1) return 0;  // a second, nested check: counted, not repeated
        checkedWindow = asked;
        checkingDuringCall = saverContext->checkingPassword;
        cursorDuringCall = standin::CurrentCursorKind();
        standin::SetManualCursor(kStartX + 200, kStartY);
        SendKey(XK_b);
        SendFocusOut();
        PostMessageA(asked, WM_CLOSE, 0, 0);
        PumpUntil(WM_ACTIVATEAPP);  // the dialog's modal loop
        return 0;
    };
    PressKeyAt(kStartTick + 20000);
    EXPECT_EQ(passwordCalls, 1);
    EXPECT_EQ(checkedWindow, window);
    EXPECT_EQ(checkingDuringCall, 1);
    EXPECT_EQ(cursorDuringCall, 1);
    EXPECT_FALSE(Closed());
}

TEST_F(WindowPassword, RefusedPasswordArmsTheSaverAndAnotherCloseChecksAgain) {
    Open();
    passwordAnswer = [](HWND) {
        ++passwordCalls;
        standin::SetManualCursor(kStartX + 200, kStartY + 100);  // the user moved while typing
        return 0;
    };
    PressKeyAt(kStartTick + 20000);

    // Armed: still running, cursor hidden again, movement measured from where
    // the dialog closed.
    EXPECT_EQ(passwordCalls, 1);
    EXPECT_FALSE(Closed());
    EXPECT_EQ(saverContext->closeRequested, 1);
    EXPECT_EQ(saverContext->checkingPassword, 0);
    EXPECT_EQ(standin::CurrentCursorKind(), 0);
    EXPECT_EQ(saverContext->startCursor.x, kStartX + 200);
    EXPECT_EQ(saverContext->startCursor.y, kStartY + 100);

    standin::SetManualCursor(kStartX + 250, kStartY + 150);  // 50 from there: no close
    SendMotion();
    PumpUntil(WM_MOUSEMOVE);
    EXPECT_EQ(passwordCalls, 1);

    // Any close, whoever sends it, now brings the dialog back; agreeing closes.
    passwordAnswer = [](HWND) { return ++passwordCalls, 1; };
    SendDeleteWindow();
    PumpUntil(WM_CLOSE);
    EXPECT_EQ(passwordCalls, 2);
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(quitSeen);
}

TEST_F(WindowPassword, NoLibraryOrAnNtPlatformAgreesWithoutAsking) {
    standin::SetPlatformId(VER_PLATFORM_WIN32_NT);
    passwordAnswer = [](HWND) { return ++passwordCalls, 0; };
    Open();
    PressKeyAt(kStartTick + 20000);
    EXPECT_EQ(passwordCalls, 0);
    EXPECT_TRUE(Closed());

    standin::SetPlatformId(VER_PLATFORM_WIN32_WINDOWS);
    standin::SetLibraryDirectory("/nonexistent");
    Open();
    PressKeyAt(kStartTick + 40000);
    EXPECT_EQ(passwordCalls, 0);
    EXPECT_TRUE(Closed());
}

}  // namespace

// Called by the fake password library in place of the platform's dialog.
extern "C" int FakePasswordAnswer(HWND window) {
    return passwordAnswer ? passwordAnswer(window) : 1;
}
