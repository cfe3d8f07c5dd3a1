// The X visual of the stand-in's windows. An X window's visual is fixed when it
// is created, while Win32 chooses a pixel format afterwards; so every window is
// created with the one double-buffered RGBA GLX visual, and ChoosePixelFormat /
// SetPixelFormat accept exactly that window's own visual.
#pragma once

#include <X11/Xutil.h>

namespace standin {

// Null when the server has no GLX or no double-buffered RGBA visual.
const XVisualInfo* WindowVisual(Display* display);

}  // namespace standin
