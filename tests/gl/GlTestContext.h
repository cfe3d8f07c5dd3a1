// A real Mesa OpenGL context (GLX on the suite's Xvfb) for render tests: a
// double-buffered RGBA window of the given size, made current.
#pragma once

#include <GL/glx.h>
#include <gtest/gtest.h>

#include <vector>

class GlTestContext {
public:
    GlTestContext(int width, int height) : width(width), height(height) {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) return;
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
        XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
        if (visual == nullptr) return;
        Window root = RootWindow(display, visual->screen);
        XSetWindowAttributes set = {};
        set.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
        window = XCreateWindow(display, root, 0, 0, width, height, 0, visual->depth, InputOutput, visual->visual,
                               CWColormap, &set);
        XMapWindow(display, window);
        context = glXCreateContext(display, visual, nullptr, True);
        XFree(visual);
        XSync(display, False);
        if (context != nullptr) glXMakeCurrent(display, window, context);
    }
    ~GlTestContext() {
        if (display == nullptr) return;
        glXMakeCurrent(display, None, nullptr);
        if (context != nullptr) glXDestroyContext(display, context);
        if (window != 0) XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    bool Ready() const { return context != nullptr; }

    // RGBA bytes of the back buffer (or front after a swap), bottom row first.
    std::vector<unsigned char> ReadPixels(GLenum buffer = GL_BACK) const {
        std::vector<unsigned char> pixels(size_t(width) * height * 4);
        glReadBuffer(buffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    const int width;
    const int height;

private:
    Display* display = nullptr;
    Window window = 0;
    GLXContext context = nullptr;
};

// Skips nothing: a render test without a display is a broken set-up, not a pass.
#define REQUIRE_GL(context) ASSERT_TRUE((context).Ready()) << "no GLX context: is DISPLAY set to the suite's Xvfb?"
