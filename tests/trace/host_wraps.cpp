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

// REAL(mangled, result, parameters): the original behind a wrapped symbol.
#define REAL(mangled, result, ...) extern "C" result __real_##mangled(__VA_ARGS__);

REAL(_Z14RegisterClassAPK12tagWNDCLASSA, ATOM, const WNDCLASSA*)
extern "C" ATOM __wrap__Z14RegisterClassAPK12tagWNDCLASSA(const WNDCLASSA* windowClass) {
    Note("RegisterClassA", {double(windowClass->style)});
    return __real__Z14RegisterClassAPK12tagWNDCLASSA(windowClass);
}

REAL(_Z16GetSystemMetricsi, int, int)
extern "C" int __wrap__Z16GetSystemMetricsi(int index) {
    Note("GetSystemMetrics", {double(index)});
    return __real__Z16GetSystemMetricsi(index);
}

REAL(_Z13GetWindowRectP6HWND__P7tagRECT, BOOL, HWND, RECT*)
extern "C" BOOL __wrap__Z13GetWindowRectP6HWND__P7tagRECT(HWND window, RECT* rect) {
    Note("GetWindowRect");
    return __real__Z13GetWindowRectP6HWND__P7tagRECT(window, rect);
}

REAL(_Z15CreateWindowExAjPKcS0_jiiiiP6HWND__P7HMENU__P11HINSTANCE__Pv, HWND, DWORD, LPCSTR, LPCSTR, DWORD, int, int,
     int, int, HWND, HMENU, HINSTANCE, LPVOID)
extern "C" HWND __wrap__Z15CreateWindowExAjPKcS0_jiiiiP6HWND__P7HMENU__P11HINSTANCE__Pv(
    DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent,
    HMENU menu, HINSTANCE instance, LPVOID parameter) {
    Note("CreateWindowExA", {double(exStyle), double(style), double(x), double(y), double(width), double(height),
                             double(parent != nullptr)});
    return __real__Z15CreateWindowExAjPKcS0_jiiiiP6HWND__P7HMENU__P11HINSTANCE__Pv(
        exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, parameter);
}

REAL(_Z21SystemParametersInfoAjjPvj, BOOL, UINT, UINT, LPVOID, UINT)
extern "C" BOOL __wrap__Z21SystemParametersInfoAjjPvj(UINT action, UINT param, LPVOID data, UINT winIni) {
    Note("SystemParametersInfoA", {double(action), double(param), double(data != nullptr), double(winIni)});
    return __real__Z21SystemParametersInfoAjjPvj(action, param, data, winIni);
}

REAL(_Z5GetDCP6HWND__, HDC, HWND)
extern "C" HDC __wrap__Z5GetDCP6HWND__(HWND window) {
    Note("GetDC");
    return __real__Z5GetDCP6HWND__(window);
}

REAL(_Z17ChoosePixelFormatP5HDC__PK24tagPIXELFORMATDESCRIPTOR, int, HDC, const PIXELFORMATDESCRIPTOR*)
extern "C" int __wrap__Z17ChoosePixelFormatP5HDC__PK24tagPIXELFORMATDESCRIPTOR(HDC dc,
                                                                              const PIXELFORMATDESCRIPTOR* request) {
    Note("ChoosePixelFormat", {double(request->nSize), double(request->nVersion), double(request->dwFlags),
                               double(request->iPixelType), double(request->cColorBits), double(request->cAlphaBits),
                               double(request->cDepthBits), double(request->cStencilBits)});
    return __real__Z17ChoosePixelFormatP5HDC__PK24tagPIXELFORMATDESCRIPTOR(dc, request);
}

REAL(_Z14SetPixelFormatP5HDC__iPK24tagPIXELFORMATDESCRIPTOR, BOOL, HDC, int, const PIXELFORMATDESCRIPTOR*)
extern "C" BOOL __wrap__Z14SetPixelFormatP5HDC__iPK24tagPIXELFORMATDESCRIPTOR(HDC dc, int format,
                                                                             const PIXELFORMATDESCRIPTOR* request) {
    Note("SetPixelFormat");
    return __real__Z14SetPixelFormatP5HDC__iPK24tagPIXELFORMATDESCRIPTOR(dc, format, request);
}

REAL(_Z16wglCreateContextP5HDC__, HGLRC, HDC)
extern "C" HGLRC __wrap__Z16wglCreateContextP5HDC__(HDC dc) {
    Note("wglCreateContext");
    return __real__Z16wglCreateContextP5HDC__(dc);
}

REAL(_Z14wglMakeCurrentP5HDC__P7HGLRC__, BOOL, HDC, HGLRC)
extern "C" BOOL __wrap__Z14wglMakeCurrentP5HDC__P7HGLRC__(HDC dc, HGLRC context) {
    Note("wglMakeCurrent", {double(dc != nullptr), double(context != nullptr)});
    return __real__Z14wglMakeCurrentP5HDC__P7HGLRC__(dc, context);
}

REAL(_Z10ShowWindowP6HWND__i, BOOL, HWND, int)
extern "C" BOOL __wrap__Z10ShowWindowP6HWND__i(HWND window, int command) {
    Note("ShowWindow", {double(command)});
    return __real__Z10ShowWindowP6HWND__i(window, command);
}

REAL(_Z11SwapBuffersP5HDC__, BOOL, HDC)
extern "C" BOOL __wrap__Z11SwapBuffersP5HDC__(HDC dc) {
    Note("SwapBuffers");
    if (calltrace::Recording() && ++swaps == 2) raise(SIGTERM);
    return __real__Z11SwapBuffersP5HDC__(dc);
}

REAL(_Z9ReleaseDCP6HWND__P5HDC__, int, HWND, HDC)
extern "C" int __wrap__Z9ReleaseDCP6HWND__P5HDC__(HWND window, HDC dc) {
    Note("ReleaseDC");
    return __real__Z9ReleaseDCP6HWND__P5HDC__(window, dc);
}

REAL(_Z16wglDeleteContextP7HGLRC__, BOOL, HGLRC)
extern "C" BOOL __wrap__Z16wglDeleteContextP7HGLRC__(HGLRC context) {
    Note("wglDeleteContext");
    return __real__Z16wglDeleteContextP7HGLRC__(context);
}

// The Scene's calls, each noted with whether a rendering context is current.
REAL(_ZN5Scene5SetUpEii, void, Scene*, int, int)
extern "C" void __wrap__ZN5Scene5SetUpEii(Scene* scene, int width, int height) {
    Note("Scene::SetUp", {double(width), double(height), ContextCurrent()});
    __real__ZN5Scene5SetUpEii(scene, width, height);
}

REAL(_ZN5Scene6RenderEj, bool, Scene*, uint32_t)
extern "C" bool __wrap__ZN5Scene6RenderEj(Scene* scene, uint32_t flags) {
    Note("Scene::Render", {double(flags), ContextCurrent()});
    return __real__ZN5Scene6RenderEj(scene, flags);
}

REAL(_ZN5Scene8TearDownEv, void, Scene*)
extern "C" void __wrap__ZN5Scene8TearDownEv(Scene* scene) {
    Note("Scene::TearDown", {ContextCurrent()});
    __real__ZN5Scene8TearDownEv(scene);
}
