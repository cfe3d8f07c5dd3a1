// The GL window's life in the order of its Win32 calls and the Scene's: set-up,
// frames with the render flags of the mirror setting, tear-down while the
// context is current. Each run happens in a child process with an X server of
// its own, since a full-screen run grabs keyboard and pointer.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/GLWindow.h"
#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "call_trace.h"
#include "tests/helpers/private_xserver.h"

#include <X11/Xlib.h>

namespace {

struct HostRun {
    SaverMode mode;
    DWORD useMirrors;
};

constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr int kPreviewWidth = 320, kPreviewHeight = 240;

std::vector<Call> ExpectedCalls(const HostRun& run) {
    const bool saver = run.mode == ModeSaver;
    const double width = saver ? kScreenWidth : kPreviewWidth, height = saver ? kScreenHeight : kPreviewHeight;
    const double style = saver ? WS_POPUP | WS_VISIBLE : WS_CHILD | WS_VISIBLE;
    const double flags = run.useMirrors ? 0x10000 : 0;
    std::vector<Call> calls = {{"RegisterClassA", {CS_HREDRAW | CS_VREDRAW | CS_OWNDC}}};
    if (saver) {
        calls.insert(calls.end(), {{"GetSystemMetrics", {SM_CXSCREEN}}, {"GetSystemMetrics", {SM_CYSCREEN}}});
    } else {
        calls.push_back({"GetWindowRect", {}});
    }
    calls.push_back({"CreateWindowExA", {0, style, 0, 0, width, height, double(!saver)}});
    if (saver) calls.push_back({"SystemParametersInfoA", {SPI_SETSCREENSAVERRUNNING, TRUE, 1, 0}});
    calls.insert(calls.end(),
                 {{"GetDC", {}},
                  {"ChoosePixelFormat",
                   {40, 1, PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 32, 0, 0, 0}},
                  {"SetPixelFormat", {}},
                  {"wglCreateContext", {}},
                  {"wglMakeCurrent", {1, 1}},
                  {"Scene::SetUp", {width, height, 1}},  // 1: with the context current
                  {"ShowWindow", {SW_SHOWDEFAULT}},
                  {"Scene::Render", {flags, 1}},
                  {"SwapBuffers", {}},
                  {"Scene::Render", {flags, 1}},
                  {"SwapBuffers", {}},  // which sends SIGTERM
                  {"Scene::TearDown", {1}},
                  {"wglMakeCurrent", {0, 0}},
                  {"ReleaseDC", {}},
                  {"wglDeleteContext", {}}});
    if (saver) calls.push_back({"SystemParametersInfoA", {SPI_SETSCREENSAVERRUNNING, FALSE, 1, 0}});
    return calls;
}

// The recorded run's host calls (not the Scene's OpenGL calls); 0 when
// they are the expected ones, else 1 with the difference on standard error.
int RecordedRun(const HostRun& run) {
    PrivateXServer server(std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight));
    if (!server.Ready()) return 3;
    Display* display = XOpenDisplay(nullptr);
    Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kPreviewWidth, kPreviewHeight, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    saverMode = run.mode;
    saverContext = new SaverContext();
    saverContext->useMirrors = run.useMirrors;
    calltrace::Start();
    RunSaverWindow(reinterpret_cast<HWND>(static_cast<uintptr_t>(parent)), SW_SHOWDEFAULT);
    const std::vector<Call> calls = calltrace::Stop(false);
    const std::string difference = FirstDifference(calls, ExpectedCalls(run));
    std::fputs(difference.c_str(), stderr);
    XCloseDisplay(display);
    return difference.empty() ? 0 : 1;
}

TEST(WindowOrderDeathTest, SetUpFramesAndTearDownInOrder) {
    const HostRun runs[] = {{ModeSaver, 1}, {ModeSaver, 0}, {ModePreview, 1}};
    for (const HostRun& run : runs) {
        EXPECT_EXIT(std::exit(RecordedRun(run)), ::testing::ExitedWithCode(0), "^$")
            << "mode " << run.mode << ", UseMirrors " << run.useMirrors;
    }
}

}  // namespace
