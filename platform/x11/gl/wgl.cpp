// GetDC/ReleaseDC, pixel formats, WGL and SwapBuffers over GLX. A device
// context is the window's own (CS_OWNDC); a pixel format number is a GLX
// visual id, and each window offers only the visual it was created with.
// Before Xlib, whose None macro would clash with an enumerator there.
#include "platform/x11/testing.h"

#include "platform/x11/display.h"
#include "platform/x11/gl/frame_rate.h"
#include "platform/x11/gl/swap_log.h"
#include "platform/x11/unsupported.h"
#include "platform/x11/window/window_table.h"
#include "platform/x11/xerror.h"

// After win32.h, whose APIENTRY the GL headers then keep.
#include <GL/glx.h>

#include <cstdio>
#include <string>

namespace {

const DWORD kSupportedPixelFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
std::string failingCall;

standin::DeviceContext* Context(HDC dc) {
    return reinterpret_cast<standin::DeviceContext*>(dc);
}

void CheckDescriptor(const char* call, const PIXELFORMATDESCRIPTOR* descriptor) {
    if (descriptor->nSize != sizeof(PIXELFORMATDESCRIPTOR) || descriptor->nVersion != 1)
        standin::Unsupported(call, "descriptor size or version", descriptor->nSize);
    if (descriptor->dwFlags & ~kSupportedPixelFlags) standin::Unsupported(call, "pixel format flags", descriptor->dwFlags);
    if (descriptor->iPixelType != PFD_TYPE_RGBA) standin::Unsupported(call, "pixel type", descriptor->iPixelType);
    if (descriptor->iLayerType != PFD_MAIN_PLANE) standin::Unsupported(call, "layer type", descriptor->iLayerType);
}

int VisualValue(Display* display, const XVisualInfo& visual, int attribute) {
    int value = 0;
    glXGetConfig(display, const_cast<XVisualInfo*>(&visual), attribute, &value);
    return value;
}

// Whether the window's visual gives at least what the descriptor asks for.
bool VisualSatisfies(Display* display, const XVisualInfo& visual, const PIXELFORMATDESCRIPTOR* descriptor) {
    if (visual.visual == nullptr || !VisualValue(display, visual, GLX_USE_GL) ||
        !VisualValue(display, visual, GLX_RGBA))
        return false;
    if ((descriptor->dwFlags & PFD_DOUBLEBUFFER) && !VisualValue(display, visual, GLX_DOUBLEBUFFER)) return false;
    int colorBits = VisualValue(display, visual, GLX_RED_SIZE) + VisualValue(display, visual, GLX_GREEN_SIZE) +
                    VisualValue(display, visual, GLX_BLUE_SIZE);
    int wantedColor = descriptor->cColorBits < 24 ? descriptor->cColorBits : 24;  // 32 counts alpha on Windows
    return colorBits >= wantedColor && VisualValue(display, visual, GLX_ALPHA_SIZE) >= descriptor->cAlphaBits &&
           VisualValue(display, visual, GLX_DEPTH_SIZE) >= descriptor->cDepthBits &&
           VisualValue(display, visual, GLX_STENCIL_SIZE) >= descriptor->cStencilBits &&
           VisualValue(display, visual, GLX_ACCUM_RED_SIZE) * 4 >= descriptor->cAccumBits;
}

bool CanDraw(HDC dc) {
    return dc != nullptr && Context(dc)->windowAlive && standin::XDisplay() != nullptr;
}

bool Failing(const char* call) {
    return failingCall == call;
}

}  // namespace

void standin::FailWglCall(const std::string& call) {
    failingCall = call;
}

HDC WINAPI GetDC(HWND window) {
    if (window == nullptr) standin::Unsupported("GetDC", "screen device context", 0);
    standin::WindowRecord* record = standin::FindWindowRecord(window);
    return record == nullptr ? nullptr : reinterpret_cast<HDC>(record->dc);
}

// A window's own device context stays with it; releasing only checks it.
int WINAPI ReleaseDC(HWND window, HDC dc) {
    standin::WindowRecord* record = standin::FindWindowRecord(window);
    return record != nullptr && Context(dc) == record->dc ? 1 : 0;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    CheckDescriptor("ChoosePixelFormat", descriptor);
    if (!CanDraw(dc)) return 0;
    const XVisualInfo& visual = Context(dc)->visual;
    return VisualSatisfies(standin::XDisplay(), visual, descriptor) ? int(visual.visualid) : 0;
}

// Once set, the format cannot change (as on Windows); setting it again to the
// same value succeeds.
BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor) {
    CheckDescriptor("SetPixelFormat", descriptor);
    if (!CanDraw(dc)) return FALSE;
    standin::DeviceContext* context = Context(dc);
    if (context->pixelFormat != 0) return context->pixelFormat == format;
    if (context->visual.visual == nullptr || format != int(context->visual.visualid)) {
        std::fprintf(stderr, "orchardia: SetPixelFormat: format %d is not the window's visual (X fixes it at creation)\n",
                     format);
        return FALSE;
    }
    context->pixelFormat = format;
    return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC dc) {
    if (!CanDraw(dc) || Context(dc)->pixelFormat == 0 || Failing("wglCreateContext")) return nullptr;
    Display* display = standin::XDisplay();
    standin::XErrorTrap trap(display);
    GLXContext context = glXCreateContext(display, &Context(dc)->visual, nullptr, True);
    if (trap.Failed() && context != nullptr) {
        glXDestroyContext(display, context);
        context = nullptr;
    }
    return reinterpret_cast<HGLRC>(context);
}

// With a null context, no context is current afterwards.
BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
    Display* display = standin::XDisplay();
    if (context == nullptr) {
        if (display != nullptr) glXMakeCurrent(display, None, nullptr);
        return display != nullptr;
    }
    if (!CanDraw(dc) || Failing("wglMakeCurrent")) return FALSE;
    standin::XErrorTrap trap(display);
    Bool made = glXMakeCurrent(display, Context(dc)->window, reinterpret_cast<GLXContext>(context));
    return made && !trap.Failed();
}

// A current context stops being current first, as on Windows.
BOOL WINAPI wglDeleteContext(HGLRC context) {
    Display* display = standin::XDisplay();
    if (context == nullptr || display == nullptr) return FALSE;
    GLXContext glx = reinterpret_cast<GLXContext>(context);
    if (glXGetCurrentContext() == glx) glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, glx);
    return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
    if (!CanDraw(dc)) return FALSE;
    standin::DrawFrameRate();
    glXSwapBuffers(standin::XDisplay(), Context(dc)->window);
    standin::LogSwap();
    return TRUE;
}
