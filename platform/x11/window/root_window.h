// --root without a screen-saver daemon: the saver draws on the root window
// itself, as X savers do, when the root's visual takes a double-buffered RGBA
// GL context. Otherwise it draws into a child of the root that no window
// manager manages (override-redirect), kept below every other window and at
// the root's size: on the desktop all the same.
#pragma once

#include <X11/Xutil.h>

namespace standin {

// From now on a WS_CHILD window of the root window is drawn on the root.
void DrawOnRootWindow();

enum class RootDrawing {
    No,           // an ordinary child window
    OnRoot,       // the window is the root window itself
    LowestChild,  // an unmanaged child of the root below every other window
};
RootDrawing RootDrawingFor(Display* display, Window parent);

// The root window's own visual, when it takes the GL context; else null.
const XVisualInfo* RootGlVisual(Display* display);

}  // namespace standin
