// A window with a current OpenGL context (GLX) on a connection of its own to
// the DISPLAY server, for render tests and benchmarks: mapped, left alone by
// any window manager, and closed with its context when it goes.
#pragma once

#include <GL/glx.h>

#include <vector>

class GlxWindow {
public:
    // Double-buffered RGBA with eight bits a colour channel.
    static std::vector<int> Rgb8() {
        return {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
    }

    // attributes: a glXChooseVisual list, ending with None.
    GlxWindow(int width, int height, std::vector<int> attributes = Rgb8()) : width(width), height(height) {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) return;
        XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes.data());
        if (visual == nullptr) return;
        Window root = RootWindow(display, visual->screen);
        XSetWindowAttributes set = {};
        set.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
        set.override_redirect = True;
        window = XCreateWindow(display, root, 0, 0, width, height, 0, visual->depth, InputOutput, visual->visual,
                               CWColormap | CWOverrideRedirect, &set);
        XMapWindow(display, window);
        context = glXCreateContext(display, visual, nullptr, True);
        XFree(visual);
        XSync(display, False);
        current = context != nullptr && glXMakeCurrent(display, window, context);
    }
    ~GlxWindow() {
        if (display == nullptr) return;
        glXMakeCurrent(display, None, nullptr);
        if (context != nullptr) glXDestroyContext(display, context);
        if (window != 0) XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    GlxWindow(const GlxWindow&) = delete;
    GlxWindow& operator=(const GlxWindow&) = delete;

    bool Ready() const { return current; }

    const int width;
    const int height;

private:
    Display* display = nullptr;
    Window window = 0;
    GLXContext context = nullptr;
    bool current = false;
};
