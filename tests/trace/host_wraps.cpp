// Wrappers of the Win32 calls the GL window makes and of the Scene's set-up,
// frame and tear-down, noted while a recording runs. The names are the
// stand-in's C++ symbols as the linker sees them. A recorded run ends itself:
// the second swapped frame sends SIGTERM, as a screen-saver daemon would.
#include <signal.h>

#include <cstdint>

#include "platform/x11/win32.h"
#include "scene/Scene.h"

// After win32.h, whose APIENTRY the GL headers then keep.
#include <GL/glx.h>

#include "call_trace.h"

namespace {

int swaps = 0;

void Note(const char* name, std::vector<double> args = {}) {
    calltrace::Note({name, std::move(args)});
}

double ContextCurrent() {
    return glXGetCurrentContext() != nullptr;
}

}  // namespace

// WRAP(mangled, result, (parameters), (arguments), name, {noted values}): a
// wrapper that notes the call under `name`, then makes it.
#define WRAP(mangled, result, parameters, arguments, name, ...) \
    extern "C" result __real_##mangled parameters;             \
    extern "C" result __wrap_##mangled parameters {            \
        Note(name, __VA_ARGS__);                                \
        return __real_##mangled arguments;                      \
    }

using Descriptor = const PIXELFORMATDESCRIPTOR*;

WRAP(_Z14RegisterClassAPK12tagWNDCLASSA, ATOM, (const WNDCLASSA* c), (c), "RegisterClassA", {double(c->style)})
WRAP(_Z16GetSystemMetricsi, int, (int index), (index), "GetSystemMetrics", {double(index)})
WRAP(_Z13GetWindowRectP6HWND__P7tagRECT, BOOL, (HWND w, RECT* r), (w, r), "GetWindowRect", {})
WRAP(_Z15CreateWindowExAjPKcS0_jiiiiP6HWND__P7HMENU__P11HINSTANCE__Pv, HWND,
     (DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height, HWND parent,
      HMENU menu, HINSTANCE instance, LPVOID parameter),
     (exStyle, className, title, style, x, y, width, height, parent, menu, instance, parameter), "CreateWindowExA",
     {double(exStyle), double(style), double(x), double(y), double(width), double(height), double(parent != nullptr)})
WRAP(_Z21SystemParametersInfoAjjPvj, BOOL, (UINT action, UINT param, LPVOID data, UINT winIni),
     (action, param, data, winIni), "SystemParametersInfoA",
     {double(action), double(param), double(data != nullptr), double(winIni)})
WRAP(_Z5GetDCP6HWND__, HDC, (HWND w), (w), "GetDC", {})
WRAP(_Z17ChoosePixelFormatP5HDC__PK24tagPIXELFORMATDESCRIPTOR, int, (HDC dc, Descriptor d), (dc, d),
     "ChoosePixelFormat",
     {double(d->nSize), double(d->nVersion), double(d->dwFlags), double(d->iPixelType), double(d->cColorBits),
      double(d->cAlphaBits), double(d->cDepthBits), double(d->cStencilBits)})
WRAP(_Z14SetPixelFormatP5HDC__iPK24tagPIXELFORMATDESCRIPTOR, BOOL, (HDC dc, int f, Descriptor d), (dc, f, d),
     "SetPixelFormat", {})
WRAP(_Z16wglCreateContextP5HDC__, HGLRC, (HDC dc), (dc), "wglCreateContext", {})
WRAP(_Z14wglMakeCurrentP5HDC__P7HGLRC__, BOOL, (HDC dc, HGLRC c), (dc, c), "wglMakeCurrent",
     {double(dc != nullptr), double(c != nullptr)})
WRAP(_Z10ShowWindowP6HWND__i, BOOL, (HWND w, int command), (w, command), "ShowWindow", {double(command)})
WRAP(_Z9ReleaseDCP6HWND__P5HDC__, int, (HWND w, HDC dc), (w, dc), "ReleaseDC", {})
WRAP(_Z16wglDeleteContextP7HGLRC__, BOOL, (HGLRC c), (c), "wglDeleteContext", {})

// The Scene's calls, each noted with whether a rendering context is current.
WRAP(_ZN5Scene5SetUpEii, void, (Scene * s, int width, int height), (s, width, height), "Scene::SetUp",
     {double(width), double(height), ContextCurrent()})
WRAP(_ZN5Scene6RenderEj, bool, (Scene * s, uint32_t flags), (s, flags), "Scene::Render",
     {double(flags), ContextCurrent()})
WRAP(_ZN5Scene8TearDownEv, void, (Scene * s), (s), "Scene::TearDown", {ContextCurrent()})

extern "C" BOOL __real__Z11SwapBuffersP5HDC__(HDC dc);
extern "C" BOOL __wrap__Z11SwapBuffersP5HDC__(HDC dc) {
    Note("SwapBuffers");
    if (calltrace::Recording() && ++swaps == 2) raise(SIGTERM);
    return __real__Z11SwapBuffersP5HDC__(dc);
}
