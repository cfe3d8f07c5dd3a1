// RunSaverWindow as a whole: each run happens in a child process with an X
// server of its own, since a full-screen run grabs keyboard and pointer.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "app/GLWindow.h"
#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "platform/x11/testing.h"
#include "tests/helpers/private_xserver.h"

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

off_t FileSize(const std::string& path) {
    struct stat status = {};
    return stat(path.c_str(), &status) == 0 ? status.st_size : 0;
}

// Sends SIGTERM once the first frame has been swapped; 0 when the run then
// ended with the screen-saver state cleared.
int SignalledRun(const std::string& swapLog) {
    int result = 2;
    {
        PrivateXServer server("640x480");
        if (!server.Ready()) return 3;
        PrepareFullScreenRun();
        setenv("ORCHARDIA_SWAP_LOG", swapLog.c_str(), 1);
        std::thread stopper([&swapLog] {
            for (int i = 0; i < 2000 && FileSize(swapLog) == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            kill(getpid(), SIGTERM);
        });
        RunSaverWindow(nullptr, SW_SHOWDEFAULT);
        stopper.join();
        result = standin::ScreenSaverRunning() ? 1 : 0;
    }
    return result;
}

TEST(WindowRunDeathTest, SignalEndsAFullScreenRunThatDrewFrames) {
    std::string swapLog = ::testing::TempDir() + "orchardia_run_swaps";
    std::remove(swapLog.c_str());
    EXPECT_EXIT(std::exit(SignalledRun(swapLog)), ::testing::ExitedWithCode(0), "");
    EXPECT_GT(FileSize(swapLog), 0) << "no frame was swapped";
    std::remove(swapLog.c_str());
}

}  // namespace
