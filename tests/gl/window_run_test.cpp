// RunSaverWindow as a whole: each run happens in a child process with an X
// server of its own, since a full-screen run grabs keyboard and pointer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/GLWindow.h"
#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "platform/x11/posix.h"
#include "platform/x11/testing.h"
#include "tests/helpers/private_xserver.h"

#include <X11/Xlib.h>  // after the stand-in's headers, whose names its macros would break
#include <X11/keysym.h>

namespace {

void PrepareFullScreenRun() {
    saverMode = ModeSaver;
    saverContext = new SaverContext();
    saverContext->passwordDelay = 15;
    saverContext->mouseThreshold = 50;
}

// The stand-in's own connection is opened first; then DISPLAY is cleared, so
// that a message box finds no display and only writes "caption: text" on stderr.
void KeepMessageBoxesOnStandardError() {
    GetSystemMetrics(SM_CXSCREEN);
    unsetenv("DISPLAY");
}

// 0 when the run ended with the screen-saver state cleared and no Scene built.
int FailingRun(const char* failingCall, bool serverHasGlx) {
    int result = 2;
    {
        PrivateXServer server("640x480", serverHasGlx ? std::vector<std::string>{}
                                                      : std::vector<std::string>{"-extension", "GLX"});
        if (!server.Ready()) return 3;
        PrepareFullScreenRun();
        standin::FailWglCall(failingCall);
        KeepMessageBoxesOnStandardError();
        RunSaverWindow(nullptr, SW_SHOWDEFAULT);
        result = !standin::ScreenSaverRunning() && activeScene == nullptr ? 0 : 1;
    }
    return result;
}

TEST(WindowRunDeathTest, SetUpFailuresEndTheRunWithAMessageAndClearTheSaverState) {
    struct Case {
        const char* failingCall;
        bool serverHasGlx;
        const char* message;
    };
    const Case cases[] = {
        {"", false, "Error: ChoosePixelFormat\\(\\) failed:  Cannot find a suitable pixel format\\."},
        {"wglCreateContext", true, "Error: wglCreateContext\\(\\) failed:  Cannot create a rendering context\\."},
        {"wglMakeCurrent", true, "Error: wglMakeCurrent\\(\\) failed:  Cannot activate the rendering context\\."},
    };
    for (const Case& c : cases)
        EXPECT_EXIT(std::exit(FailingRun(c.failingCall, c.serverHasGlx)), ::testing::ExitedWithCode(0), c.message)
            << c.failingCall;
}

// What another client can grab: 0 nothing, 1 the keyboard, 2 the pointer, 3 both.
int GrabbableByOthers(Display* other) {
    Window root = DefaultRootWindow(other);
    int grabbable = 0;
    if (XGrabKeyboard(other, root, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess) grabbable |= 1;
    if (XGrabPointer(other, root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess)
        grabbable |= 2;
    XUngrabKeyboard(other, CurrentTime);
    XUngrabPointer(other, CurrentTime);
    XSync(other, False);
    return grabbable;
}

// 0 when a shown popup held keyboard and pointer before any message was read
// (input during set-up waits in its queue) and let go of both for a message box.
int GrabsFromShowUntilAMessageBox() {
    PrivateXServer server("640x480");
    Display* other = server.Ready() ? XOpenDisplay(nullptr) : nullptr;
    if (other == nullptr) return 3;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "GrabProbe";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "GrabProbe", "SaverWindow", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                    nullptr);
    int whileShown = GrabbableByOthers(other);
    standin::SetMessageBoxesHeadless(true);
    MessageBoxA(nullptr, "failed", "Error", MB_OK);
    int duringBox = GrabbableByOthers(other);
    std::fprintf(stderr, "grabbable by others: shown %d, box %d\n", whileShown, duringBox);
    XCloseDisplay(other);
    return whileShown == 0 && duringBox == 3 ? 0 : 1;
}

TEST(WindowRunDeathTest, FullScreenWindowHoldsInputFromItsShowingUntilAMessageBox) {
    EXPECT_EXIT(std::exit(GrabsFromShowUntilAMessageBox()), ::testing::ExitedWithCode(0), "");
}

off_t FileSize(const std::string& path) {
    struct stat status = {};
    return stat(path.c_str(), &status) == 0 ? status.st_size : 0;
}

// Once frames are drawn, another client sends the saver window a burst of 50
// Alt presses (ignored) and then a key, which ends the run. 0 when at most the
// frame in progress was swapped after the burst: the loop handled every
// pending message before drawing again.
int BurstRun(const std::string& swapLog) {
    PrivateXServer server("640x480");
    if (!server.Ready()) return 3;
    PrepareFullScreenRun();
    setenv("ORCHARDIA_SWAP_LOG", swapLog.c_str(), 1);
    double burstSent = 0;
    std::thread sender([&swapLog, &burstSent] {
        for (int i = 0; i < 2000 && FileSize(swapLog) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Display* other = XOpenDisplay(nullptr);
        XEvent event = {};
        event.xkey.type = KeyPress;
        event.xkey.window = Window(reinterpret_cast<uintptr_t>(saverWindow));
        event.xkey.root = DefaultRootWindow(other);
        event.xkey.same_screen = True;
        for (int i = 0; i <= 50; ++i) {
            event.xkey.keycode = XKeysymToKeycode(other, i < 50 ? XK_Alt_L : XK_a);
            XSendEvent(other, event.xkey.window, False, 0, &event);
        }
        XSync(other, False);
        burstSent = standin::MonotonicSeconds();  // the swap log's clock
        XCloseDisplay(other);
    });
    RunSaverWindow(nullptr, SW_SHOWDEFAULT);
    sender.join();
    std::ifstream log(swapLog);
    int framesAfter = 0;
    for (double swapped = 0; log >> swapped;) framesAfter += swapped > burstSent ? 1 : 0;
    std::fprintf(stderr, "frames swapped after the burst: %d\n", framesAfter);
    return burstSent > 0 && framesAfter <= 1 ? 0 : 1;
}

TEST(WindowRunDeathTest, BurstOfMessagesIsHandledBeforeTheNextFrame) {
    std::string swapLog = ::testing::TempDir() + "orchardia_burst_swaps";
    std::remove(swapLog.c_str());
    EXPECT_EXIT(std::exit(BurstRun(swapLog)), ::testing::ExitedWithCode(0), "");
    std::remove(swapLog.c_str());
}

}  // namespace
