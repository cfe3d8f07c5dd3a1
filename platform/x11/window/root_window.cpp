#include "platform/x11/window/root_window.h"

#include <GL/glx.h>

namespace {

bool onRoot = false;

int ConfigValue(Display* display, XVisualInfo* visual, int attribute) {
    int value = 0;
    return glXGetConfig(display, visual, attribute, &value) == 0 ? value : 0;
}

// What the program's pixel format asks for: RGBA, double-buffered, 8 bits a
// colour; and TrueColor, as a DirectColor root's colour map is not GL's ramp.
bool TakesContext(Display* display, XVisualInfo* visual) {
    return visual->c_class == TrueColor && ConfigValue(display, visual, GLX_USE_GL) && ConfigValue(display, visual, GLX_RGBA) &&
           ConfigValue(display, visual, GLX_DOUBLEBUFFER) && ConfigValue(display, visual, GLX_RED_SIZE) >= 8 &&
           ConfigValue(display, visual, GLX_GREEN_SIZE) >= 8 && ConfigValue(display, visual, GLX_BLUE_SIZE) >= 8;
}

XVisualInfo* FindRootGlVisual(Display* display) {
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase)) return nullptr;
    XVisualInfo wanted = {};
    wanted.screen = DefaultScreen(display);
    wanted.visualid = XVisualIDFromVisual(DefaultVisual(display, wanted.screen));
    int count = 0;
    XVisualInfo* found = XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &wanted, &count);
    if (found != nullptr && count > 0 && TakesContext(display, found)) return found;
    if (found != nullptr) XFree(found);
    return nullptr;
}

}  // namespace

void standin::DrawOnRootWindow() {
    onRoot = true;
}

const XVisualInfo* standin::RootGlVisual(Display* display) {
    static XVisualInfo* visual = FindRootGlVisual(display);
    return visual;
}

standin::RootDrawing standin::RootDrawingFor(Display* display, Window parent) {
    if (!onRoot || parent != DefaultRootWindow(display)) return RootDrawing::No;
    return RootGlVisual(display) != nullptr ? RootDrawing::OnRoot : RootDrawing::LowestChild;
}
