// The grace period, the password check and the password change, with the
// platform's password libraries played by tests/helpers/fakepassword, loaded
// by name.
#include <dlfcn.h>

#include <functional>
#include <string>

#include "tests/helpers/saver_window_harness.h"

namespace {

// What the fake library asks for each check; counts the calls.
std::function<int(HWND)> passwordAnswer;
int passwordCalls = 0;

// The calls the fake library's change routine received.
struct ChangeCall {
    std::string provider;
    HWND window;
    unsigned long reserved;
    void* reserved2;
};
std::vector<ChangeCall> changeCalls;

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
        {0xFFFFF000u, 100, 0},  // input before the wrap, the grace period ending after it
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

// True while the library at `path` is loaded (FreeLibrary unloads it).
bool Loaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
}

// An NT platform, no library, or a library without the entry: the check
// agrees without asking, and a library it loaded is freed again.
TEST_F(WindowPassword, NoCheckToMakeAgrees) {
    const struct {
        DWORD platform;
        const char* directory;
    } cases[] = {{VER_PLATFORM_WIN32_NT, FAKE_PASSWORD_DIR},
                 {VER_PLATFORM_WIN32_WINDOWS, "/nonexistent"},
                 {VER_PLATFORM_WIN32_WINDOWS, NO_ENTRY_PASSWORD_DIR}};
    passwordAnswer = [](HWND) { return ++passwordCalls, 0; };
    DWORD tick = kStartTick;
    for (const auto& c : cases) {
        standin::SetPlatformId(c.platform);
        standin::SetLibraryDirectory(c.directory);
        tick += 20000;
        standin::SetManualTickCount(tick);
        Open();
        PressKeyAt(tick + 20000);
        EXPECT_EQ(passwordCalls, 0) << c.directory;
        EXPECT_TRUE(Closed()) << c.directory;
        EXPECT_FALSE(Loaded(std::string(c.directory) + "/PASSWORD.CPL")) << c.directory;
    }
}

// What /a does: the change routine, called with "SCRSAVE" and the parent when
// the library has it, nothing otherwise; the library is freed in every case.
TEST_F(WindowPassword, ChangePasswordCallsTheLibraryAndFreesIt) {
    const struct {
        const char* directory;
        int calls;
    } cases[] = {{FAKE_PASSWORD_DIR, 1}, {NO_ENTRY_PASSWORD_DIR, 0}, {"/nonexistent", 0}};
    HWND parentHandle = reinterpret_cast<HWND>(static_cast<uintptr_t>(parent));
    for (const auto& c : cases) {
        changeCalls.clear();
        standin::SetLibraryDirectory(c.directory);
        ChangeSaverPassword(parentHandle);
        ASSERT_EQ(int(changeCalls.size()), c.calls) << c.directory;
        for (const ChangeCall& call : changeCalls) {
            EXPECT_EQ(call.provider, "SCRSAVE");
            EXPECT_EQ(call.window, parentHandle);
            EXPECT_EQ(call.reserved, 0u);
            EXPECT_EQ(call.reserved2, nullptr);
        }
        EXPECT_FALSE(Loaded(std::string(c.directory) + "/MPR.DLL")) << c.directory;
    }
}

}  // namespace

// Called by the fake password library in place of the platform's dialogs.
extern "C" int FakePasswordAnswer(HWND window) {
    return passwordAnswer ? passwordAnswer(window) : 1;
}

extern "C" void FakePasswordChange(const char* provider, HWND window, unsigned long reserved, void* reserved2) {
    changeCalls.push_back({provider, window, reserved, reserved2});
}
