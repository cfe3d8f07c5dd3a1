#include "platform/x11/xerror.h"

#include <cstdio>

namespace standin {

namespace {
XErrorTrap* innermostTrap = nullptr;
int glxErrorBase = 0;  // 0 until learned

// GLX's errors about a drawable, counted from its error base (GLX protocol).
enum GlxError { kGlxBadDrawable = 2, kGlxBadCurrentWindow = 5, kGlxBadWindow = 12 };

bool NamesAGoneWindow(const XErrorEvent& error) {
    if (error.error_code == BadWindow || error.error_code == BadDrawable) return true;
    int glxError = int(error.error_code) - glxErrorBase;
    return glxErrorBase != 0 &&
           (glxError == kGlxBadDrawable || glxError == kGlxBadCurrentWindow || glxError == kGlxBadWindow);
}

}  // namespace

void LearnGlxErrors(Display* display) {
    int opcode = 0, eventBase = 0, errorBase = 0;
    if (XQueryExtension(display, "GLX", &opcode, &eventBase, &errorBase)) glxErrorBase = errorBase;
}

int HandleXError(Display* display, XErrorEvent* error) {
    bool ownWindowGone = NamesAGoneWindow(*error) && IsOwnWindow(error->resourceid);
    if (ownWindowGone) NoteWindowGone(error->resourceid);
    for (XErrorTrap* trap = innermostTrap; trap != nullptr; trap = trap->outer_) {
        if (trap->display_ == display) {
            trap->lastError_ = error->error_code;
            return 0;
        }
    }
    if (ownWindowGone) return 0;
    char text[160] = "";
    XGetErrorText(display, error->error_code, text, sizeof(text));
    std::fprintf(stderr, "orchardia: X error ignored: %s (request %d, resource 0x%lx)\n", text,
                 error->request_code, error->resourceid);
    return 0;
}

void InstallXErrorHandler() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    XSetErrorHandler(HandleXError);
}

XErrorTrap::XErrorTrap(Display* trapDisplay) : display_(trapDisplay), outer_(innermostTrap) {
    InstallXErrorHandler();
    XSync(display_, False);  // earlier requests' errors are not ours
    innermostTrap = this;
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    innermostTrap = outer_;
}

bool XErrorTrap::Failed() {
    XSync(display_, False);
    return lastError_ != 0;
}

}  // namespace standin
