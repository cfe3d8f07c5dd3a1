// RunSaverWindow as a whole: each run happens in a child process with an X
// server of its own, since a full-screen run grabs keyboard and pointer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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

}  // namespace
