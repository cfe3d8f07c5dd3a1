#include "platform/x11/xerror.h"

#include <cstdio>

namespace standin {

namespace {
XErrorTrap* innermostTrap = nullptr;
}  // namespace

int HandleXError(Display* display, XErrorEvent* error) {
    for (XErrorTrap* trap = innermostTrap; trap != nullptr; trap = trap->outer) {
        if (trap->display == display) {
            trap->lastError = error->error_code;
            return 0;
        }
    }
    bool windowGone = error->error_code == BadWindow || error->error_code == BadDrawable;
    if (windowGone && IsOwnWindow(error->resourceid)) return 0;
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

XErrorTrap::XErrorTrap(Display* trapDisplay) : display(trapDisplay), outer(innermostTrap) {
    InstallXErrorHandler();
    XSync(display, False);  // earlier requests' errors are not ours
    innermostTrap = this;
}

XErrorTrap::~XErrorTrap() {
    XSync(display, False);
    innermostTrap = outer;
}

bool XErrorTrap::Failed() {
    XSync(display, False);
    return lastError != 0;
}

}  // namespace standin
