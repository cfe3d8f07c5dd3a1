// Windows and their messages as the saver's loop and window procedure rely on
// them: posted messages in order with the quit message after them, sent
// messages handled at once, and input ending a full-screen run but not a
// preview. Built for both platforms, so the stand-in answers as Win32 does.
#include <gtest/gtest.h>

#include <vector>

#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "app/SaverWindow.h"

namespace {

std::vector<UINT> handled;  // messages the test window's procedure saw, in order

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    handled.push_back(message);
    return SaverWindowProc(window, message, wParam, lParam);
}

// A hidden window of the saver's procedure in the given mode, with a grace period long
// enough that any close request within the test is granted without a password check.
class SaverWindowTest : public ::testing::Test {
protected:
    void Open(SaverMode mode) {
        saverMode = mode;
        context = SaverContext();
        context.passwordDelay = 3600;
        context.mouseThreshold = 50;
        saverContext = &context;
        static const ATOM registered = [] {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = RecordingProc;
            windowClass.lpszClassName = "MessageTest";
            return RegisterClassA(&windowClass);
        }();
        ASSERT_NE(registered, 0);
        window = CreateWindowExA(0, "MessageTest", "MessageTest", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        handled.clear();
    }

    void TearDown() override { Close(); }

    void Close() {
        if (window != nullptr && !Saw(WM_DESTROY)) DestroyWindow(window);
        window = nullptr;
        Pump();
        saverContext = nullptr;
        saverMode = ModeNone;
    }

    // Dispatches everything queued; true when the quit message came.
    bool Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return false;
    }

    static bool Saw(UINT message) {
        for (UINT seen : handled)
            if (seen == message) return true;
        return false;
    }

    SaverContext context;
    HWND window = nullptr;
};

TEST_F(SaverWindowTest, PostedMessagesComeInOrderAndQuitAfterThem) {
    Open(ModePreview);
    PostMessageA(window, WM_MOUSEMOVE, 0, 0);
    PostMessageA(window, WM_KEYDOWN, 'A', 0);
    PostQuitMessage(0);
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);

    std::vector<UINT> order;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_KEYDOWN || msg.message == WM_LBUTTONDOWN ||
            msg.message == WM_QUIT)
            order.push_back(msg.message);
        if (msg.message == WM_QUIT) break;
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_MOUSEMOVE, WM_KEYDOWN, WM_LBUTTONDOWN, WM_QUIT}));
}

TEST_F(SaverWindowTest, SentMessageIsHandledBeforeTheCallReturns) {
    Open(ModePreview);
    SendMessageA(window, WM_SETCURSOR, 0, 0);
    EXPECT_EQ(handled, (std::vector<UINT>{WM_SETCURSOR}));
}

// What one message, sent to the window procedure, does to a run.
struct InputCase {
    const char* what;
    SaverMode mode;
    UINT message;
    WPARAM wParam;
    bool ends;  // the window is destroyed and the loop gets its quit message
};

TEST_F(SaverWindowTest, InputEndsAFullScreenRunOnly) {
    const InputCase cases[] = {
        {"key in a full-screen run", ModeSaver, WM_KEYDOWN, 'A', true},
        {"right button in a full-screen run", ModeSaver, WM_RBUTTONDOWN, 0, true},
        {"losing activation in a full-screen run", ModeSaver, WM_ACTIVATEAPP, 0, true},
        {"close no input asked for, full screen", ModeSaver, WM_CLOSE, 0, false},
        {"Alt+F4's close command, full screen", ModeSaver, WM_SYSCOMMAND, SC_CLOSE, false},
        {"key in a preview", ModePreview, WM_KEYDOWN, 'A', false},
        {"close in a preview", ModePreview, WM_CLOSE, 0, true},
    };
    for (const InputCase& input : cases) {
        SCOPED_TRACE(input.what);
        Open(input.mode);
        SendMessageA(window, input.message, input.wParam, 0);
        bool quit = Pump();
        EXPECT_EQ(Saw(WM_DESTROY), input.ends);
        EXPECT_EQ(quit, input.ends);
        Close();
    }
}

}  // namespace
