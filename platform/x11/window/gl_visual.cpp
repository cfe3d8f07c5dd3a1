#include "platform/x11/window/gl_visual.h"

#include <GL/glx.h>

const XVisualInfo* standin::WindowVisual(Display* display) {
    static bool chosen = false;
    static XVisualInfo* visual = nullptr;
    if (chosen) return visual;
    chosen = true;
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase)) return nullptr;
    // 8 bits per colour, no alpha, depth or stencil: what the program asks for.
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
    visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    return visual;
}
