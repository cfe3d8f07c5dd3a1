// The stand-in's windows, queue and device contexts, seen from the program's
// side of the Win32 names.
#include "tests/helpers/saver_window_harness.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "GlTestContext.h"
#include "platform/x11/frame_rate.h"

namespace {

class WindowStandin : public SaverWindowHarness {
public:
    void SetUp() override {
        SaverWindowHarness::SetUp();
        saverMode = ModePreview;  // input must not close the window here
    }
    HWND ParentHandle() const { return reinterpret_cast<HWND>(static_cast<uintptr_t>(parent)); }
};

PIXELFORMATDESCRIPTOR ProgramRequest() {
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 32;
    return descriptor;
}

TEST_F(WindowStandin, HandlesThatNameNoWindowFailQuietly) {
    const HWND missing[] = {reinterpret_cast<HWND>(uintptr_t(0x1fffff0)), reinterpret_cast<HWND>(uintptr_t(999999)),
                            reinterpret_cast<HWND>(intptr_t(-5))};
    for (HWND handle : missing) {
        RECT rect = {1, 2, 3, 4};
        EXPECT_FALSE(GetWindowRect(handle, &rect)) << handle;
        EXPECT_EQ(CreateWindowExA(0, "RecordingSaver", "SaverWindow", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, handle,
                                  nullptr, nullptr, nullptr),
                  nullptr)
            << handle;
        EXPECT_FALSE(PostMessageA(handle, WM_CLOSE, 0, 0));
        EXPECT_EQ(GetDC(handle), nullptr);
    }
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(WindowStandin, ChildSitsAtTheParentsCornerAndScreenIsTheRootWindow) {
    XMoveWindow(display, parent, 30, 40);
    XSync(display, False);
    Open();
    RECT parentRect = {}, childRect = {};
    ASSERT_TRUE(GetWindowRect(ParentHandle(), &parentRect));
    ASSERT_TRUE(GetWindowRect(window, &childRect));
    EXPECT_EQ(parentRect.right - parentRect.left, 320);
    EXPECT_EQ(parentRect.bottom - parentRect.top, 240);
    EXPECT_EQ(childRect.left, parentRect.left);
    EXPECT_EQ(childRect.top, parentRect.top);
    EXPECT_EQ(childRect.right - childRect.left, 200);
    EXPECT_EQ(childRect.bottom - childRect.top, 100);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), DisplayWidth(display, DefaultScreen(display)));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), DisplayHeight(display, DefaultScreen(display)));
}

TEST_F(WindowStandin, DestroyingTheParentDestroysTheWindowAndEndsTheLoop) {
    Open();
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    XDestroyWindow(display, parent);
    XSync(display, False);
    PumpUntil(WM_DESTROY);
    EXPECT_TRUE(quitSeen);
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_FALSE(SwapBuffers(dc));  // the program may still hold the handle
    EXPECT_EQ(ReleaseDC(window, dc), 0);
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);  // for TearDown
}

TEST_F(WindowStandin, PixelFormatIsTheWindowsOwnGlxVisual) {
    Open();
    HDC dc = GetDC(window);
    EXPECT_EQ(GetDC(window), dc);  // the window's own device context
    PIXELFORMATDESCRIPTOR request = ProgramRequest();
    int format = ChoosePixelFormat(dc, &request);
    ASSERT_NE(format, 0);
    EXPECT_FALSE(SetPixelFormat(dc, format + 1, &request));
    ASSERT_TRUE(SetPixelFormat(dc, format, &request));
    EXPECT_TRUE(SetPixelFormat(dc, format, &request));

    PIXELFORMATDESCRIPTOR tooMuch = request;
    tooMuch.cStencilBits = 255;
    EXPECT_EQ(ChoosePixelFormat(dc, &tooMuch), 0);

    HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    EXPECT_TRUE(SwapBuffers(dc));
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_EQ(ReleaseDC(window, dc), 1);
}

TEST(WindowStandinDeathTest, UnsupportedFlagsFailLoudly) {
    EXPECT_DEATH(GetSystemMetrics(2), "GetSystemMetrics: unsupported index");
    EXPECT_DEATH(SystemParametersInfoA(0x0011, 0, nullptr, 0), "SystemParametersInfoA: unsupported action");
    EXPECT_DEATH(LoadCursorA(nullptr, MAKEINTRESOURCEA(32513)), "LoadCursorA: unsupported cursor");
}

// Black pixels in a row from (x, y) on, `dx` and `dy` a step.
int BlackRun(const std::vector<unsigned char>& rgba, int width, int x, int y, int dx, int dy) {
    int run = 0;
    for (const unsigned char* p; (p = &rgba[(size_t(y) * width + x) * 4])[0] == 0 && p[1] == 0 && p[2] == 0; ++run)
        x += dx, y += dy;
    return run;
}

// The --fps label's black box: 7 font pixels high with a margin of 3 above and
// below, a font pixel 2 screen pixels in a window up to 809 rows high and 3
// from 810, and white on it the 57 font pixels of "FPS: -"; a second later a
// rate ("FPS: 1.0", 8 characters) replaces it.
// ShowFrameRate lasts for the process, so the label is drawn in a child.
TEST(FrameRateLabelDeathTest, GrowsWithTheWindowAndShowsTheRate) {
    const struct {
        int height;
        const char* box;  // high x wide, its white pixels, then wide a second later
    } cases[] = {{100, "26x82, 228 white, then 106"}, {809, "26x82, 228 white, then 106"},
                 {810, "39x123, 513 white, then 159"}};
    for (const auto& c : cases) {
        EXPECT_EXIT(
            {
                GlTestContext context(300, c.height);
                standin::ShowFrameRate();
                int box[3] = {};
                int white = 0;
                for (int frame = 0; frame < 2; ++frame) {
                    if (frame == 1) std::this_thread::sleep_for(std::chrono::milliseconds(1050));
                    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
                    glClear(GL_COLOR_BUFFER_BIT);
                    standin::DrawFrameRate();
                    const std::vector<unsigned char> rgba = context.ReadPixels();
                    box[0] = BlackRun(rgba, context.width, 1, 0, 0, 1);
                    box[1 + frame] = BlackRun(rgba, context.width, 0, 1, 1, 0);
                    for (size_t i = 0; frame == 0 && i < rgba.size(); i += 4)
                        white += rgba[i] + rgba[i + 1] + rgba[i + 2] == 765;
                }
                std::fprintf(stderr, "%dx%d, %d white, then %d\n", box[0], box[1], white, box[2]);
                std::fflush(stderr);
                _exit(0);  // at once: the test process's exit handlers are not the child's to run
            },
            ::testing::ExitedWithCode(0), c.box)
            << c.height << " pixels high";
    }
}

}  // namespace
