// A real Mesa OpenGL context (GLX on the suite's Xvfb) for render tests: a
// double-buffered RGBA window of the given size (or of the given visual
// attributes), made current, whose pixels the test reads back.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/helpers/glx_window.h"

class GlTestContext : public GlxWindow {
public:
    using GlxWindow::GlxWindow;

    // RGBA bytes of the back buffer (or front after a swap), bottom row first.
    std::vector<unsigned char> ReadPixels(GLenum buffer = GL_BACK) const {
        std::vector<unsigned char> pixels(size_t(width) * height * 4);
        glReadBuffer(buffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};

// Skips nothing: a render test without a display is a broken set-up, not a pass.
#define REQUIRE_GL(context) ASSERT_TRUE((context).Ready()) << "no GLX context: is DISPLAY set to the suite's Xvfb?"
