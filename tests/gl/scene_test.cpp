// The Scene's frame cycle on a real Mesa context.
#include <gtest/gtest.h>

#include <GL/glx.h>
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <vector>

#include "GlTestContext.h"
#include "scene/Scene.h"
#include "scene/testing.h"

namespace {

// Mesa unloads its driver when the last display closes, and the leak checker
// then cannot tell the driver's own lasting allocations (suppressed by name)
// from the program's. Keep the driver loaded for the whole test run.
int PinGlDriver(dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

class GlDriverPin : public ::testing::Environment {
public:
    void SetUp() override {
        GlTestContext context(8, 8);
        dl_iterate_phdr(PinGlDriver, nullptr);
    }
};

const ::testing::Environment* const glDriverPin = ::testing::AddGlobalTestEnvironment(new GlDriverPin);

// A window with a depth buffer, which the shared fixture does not request, so
// that the depth clear can be read back.
class DepthContext {
public:
    DepthContext(int width, int height) : width(width), height(height) {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) return;
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_DEPTH_SIZE, 16, None};
        XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
        if (visual == nullptr) return;
        Window root = RootWindow(display, visual->screen);
        XSetWindowAttributes set = {};
        set.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
        window = XCreateWindow(display, root, 0, 0, width, height, 0, visual->depth, InputOutput, visual->visual,
                               CWColormap, &set);
        context = glXCreateContext(display, visual, nullptr, True);
        XFree(visual);
        if (context != nullptr) glXMakeCurrent(display, window, context);
    }
    ~DepthContext() {
        if (display == nullptr) return;
        glXMakeCurrent(display, None, nullptr);
        if (context != nullptr) glXDestroyContext(display, context);
        if (window != 0) XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    bool Ready() const { return context != nullptr; }

    const int width;
    const int height;

private:
    Display* display = nullptr;
    Window window = 0;
    GLXContext context = nullptr;
};

class SceneRenderTest : public ::testing::Test {
protected:
    void SetUp() override { scenetest::ResetClock(); }
    void TearDown() override { scenetest::ResetClock(); }
};

TEST_F(SceneRenderTest, RenderAlwaysAsksForTheSwapAndReadsOnlyBit16) {
    GlTestContext context(64, 48);
    REQUIRE_GL(context);
    Scene scene;
    scene.SetUp(context.width, context.height);
    for (uint32_t flags : {0u, 0x10000u, 0xffffu, 0xfffeffffu, 0xffffffffu, 0x20000u}) {
        EXPECT_TRUE(scene.Render(flags)) << flags;
        EXPECT_EQ(scene.mirrored, (flags & 0x10000u) != 0) << flags;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    scene.TearDown();
}

TEST_F(SceneRenderTest, EveryFrameClearsColourAndDepth) {
    DepthContext context(40, 30);
    REQUIRE_GL(context);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    ASSERT_GT(depthBits, 0);
    Scene scene;
    scene.SetUp(context.width, context.height);
    scene.TearDown();  // no sprite field: the frame is exactly what the clear leaves
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    const size_t count = size_t(context.width) * context.height;
    for (int frame = 0; frame < 3; ++frame) {
        // Leave something of another colour and depth in the back buffer.
        glClearColor(1, 0, 1, 1);
        glClearDepth(0.25);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
        glClearDepth(1.0);

        ASSERT_TRUE(scene.Render(0x10000));
        std::vector<float> colour(count * 4), depth(count);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, context.width, context.height, GL_RGBA, GL_FLOAT, colour.data());
        glReadPixels(0, 0, context.width, context.height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        for (size_t i = 0; i < count; ++i) {
            ASSERT_EQ(depth[i], 1.0f) << "frame " << frame << " pixel " << i;
            for (int c = 0; c < 3; ++c) ASSERT_NEAR(colour[i * 4 + c], clearColour[c], 1.0 / 255) << "frame " << frame;
        }
    }
}

TEST_F(SceneRenderTest, ProjectionFollowsTheDrawingArea) {
    GlTestContext context(32, 32);
    REQUIRE_GL(context);
    const int sizes[][2] = {{1920, 1080}, {1080, 1920}, {152, 112}, {640, 640}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size[0]);
        scenetest::ResetClock();
        Scene scene;
        scene.SetUp(size[0], size[1]);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], size[0]);
        EXPECT_EQ(viewport[3], size[1]);
        GLdouble projection[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        // 90 degrees vertically: cot(45) = 1; x is divided by width / height.
        EXPECT_NEAR(projection[5], 1.0, 1e-6);
        EXPECT_NEAR(projection[0], double(size[1]) / size[0], 1e-6);
        EXPECT_NEAR(projection[10], -21.0 / 19.0, 1e-6);  // near 1, far 20
        EXPECT_NEAR(projection[14], -40.0 / 19.0, 1e-6);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);

        scene.Render(0);
        GLdouble modelView[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
        EXPECT_NEAR(modelView[14], -5.5, 1e-6);  // camera 5.5 units in front of the origin
        EXPECT_NEAR(modelView[0], 1.0, 1e-6);
        EXPECT_NEAR(modelView[5], 1.0, 1e-6);
        scene.TearDown();
    }
}

}  // namespace
