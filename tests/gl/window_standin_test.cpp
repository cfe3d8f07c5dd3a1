// The stand-in's windows, queue and device contexts, seen from the program's
// side of the Win32 names.
#include "tests/helpers/saver_window_harness.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/helpers/gl_test_context.h"
#include "app/GLWindow.h"
#include "platform/x11/gl/frame_rate.h"

namespace {

class WindowStandin : public SaverWindowHarness {
public:
    void SetUp() override {
        SaverWindowHarness::SetUp();
        saverMode = ModePreview;  // input must not close the window here
    }
    HWND ParentHandle() const { return reinterpret_cast<HWND>(static_cast<uintptr_t>(parent)); }
};

TEST_F(WindowStandin, HandlesThatNameNoWindowFailQuietly) {
    const HWND missing[] = {reinterpret_cast<HWND>(uintptr_t(0x1fffff0)), reinterpret_cast<HWND>(uintptr_t(999999)),
                            reinterpret_cast<HWND>(intptr_t(-5))};
    for (HWND handle : missing) {
        RECT rect = {1, 2, 3, 4};
        EXPECT_FALSE(IsWindow(handle)) << handle;
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
    PIXELFORMATDESCRIPTOR request = PixelFormatRequest();
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

// Black pixels in a row from (x, y) on, `dx` and `dy` a step, up to the picture's edge.
int BlackRun(const std::vector<unsigned char>& rgba, int width, int x, int y, int dx, int dy) {
    int run = 0;
    for (size_t at = (size_t(y) * width + x) * 4; x < width && at < rgba.size(); at = (size_t(y) * width + x) * 4) {
        if (rgba[at] != 0 || rgba[at + 1] != 0 || rgba[at + 2] != 0) break;
        ++run;
        x += dx;
        y += dy;
    }
    return run;
}

// Draws the --fps label twice, a second apart, over state the picture may
// leave on (each would hide it), prints its box, its white pixels and whether
// the picture's state was put back, and ends the process at once: the test
// process's exit handlers are not its to run.
[[noreturn]] void MeasureLabel(int height) {
    GlTestContext context(300, height);
    standin::ShowFrameRate();
    int box[3] = {}, white = 0;
    bool kept = true;  // the picture's matrices and state as they were
    for (int frame = 0; frame < 2; ++frame) {
        if (frame == 1) std::this_thread::sleep_for(std::chrono::milliseconds(1050));
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        for (GLenum on : {GL_LIGHTING, GL_CULL_FACE, GL_DEPTH_TEST, GL_BLEND, GL_CLIP_PLANE5}) glEnable(on);
        const GLdouble everything[4] = {0, 0, 0, -1};
        glClipPlane(GL_CLIP_PLANE5, everything);
        glCullFace(GL_FRONT_AND_BACK);
        glDepthFunc(GL_NEVER);
        glBlendFunc(GL_ZERO, GL_ZERO);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glScaled(0.5, 0.5, 0.5);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glScaled(0.25, 0.25, 0.25);
        standin::DrawFrameRate();
        GLdouble projection[16] = {}, modelview[16] = {};
        GLint mode = 0;
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        kept = kept && projection[0] == 0.5 && modelview[0] == 0.25 && mode == GL_MODELVIEW && glIsEnabled(GL_LIGHTING);
        const std::vector<unsigned char> rgba = context.ReadPixels();
        box[0] = BlackRun(rgba, context.width, 1, 0, 0, 1);
        box[1 + frame] = BlackRun(rgba, context.width, 0, 1, 1, 0);
        for (size_t i = 0; frame == 0 && i < rgba.size(); i += 4) white += rgba[i] + rgba[i + 1] + rgba[i + 2] == 765;
    }
    std::fprintf(stderr, "%dx%d, %d white, then %d, state %s\n", box[0], box[1], white, box[2], kept ? "kept" : "lost");
    std::fflush(stderr);
    _exit(0);
}

// The label's black box: 7 font pixels high with a margin of 3 above and
// below, a font pixel 2 screen pixels in a window up to 809 rows high and 3
// from 810, and white on it the 57 font pixels of "FPS: -"; a second later a
// rate ("FPS: 1.0", 8 characters) replaces it. ShowFrameRate lasts for the
// process, so the label is drawn in a child.
TEST(FrameRateLabelDeathTest, GrowsWithTheWindowAndShowsTheRate) {
    const struct {
        int height;
        const char* box;  // high x wide, its white pixels, then wide a second later
    } cases[] = {{100, "26x82, 228 white, then 106, state kept"}, {809, "26x82, 228 white, then 106, state kept"},
                 {810, "39x123, 513 white, then 159, state kept"}};
    for (const auto& c : cases)
        EXPECT_EXIT(MeasureLabel(c.height), ::testing::ExitedWithCode(0), c.box) << c.height << " pixels high";
}
}  // namespace
