#include "app/GLWindow.h"

#include <cstdint>
#include <new>

#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "app/SaverWindow.h"
#include "scene/Scene.h"

namespace {

const char kClassName[] = "OpenGL";
const uint32_t kMirrorFlag = 0x10000;  // render flag bit 16: draw mirrored copies
const DWORD kParentCheckMilliseconds = 1000;

// The handles of one run, released in reverse order of creation.
struct RunHandles {
    HDC dc = nullptr;
    HGLRC context = nullptr;
    UINT previousRunning = 0;  // the system's earlier screen-saver state; nothing reads it
};

// A window already destroyed from outside (a preview whose parent went away
// during set-up) makes the set-up fail: that run ends silently.
void ShowError(const char* text) {
    if (saverWindow != nullptr && !IsWindow(saverWindow)) return;
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

bool RegisterSaverClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.hInstance = moduleInstance;
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
}

// A child filling the preview window, or a popup over the primary screen.
HWND CreateSaverWindow(HWND parent, int* width, int* height) {
    DWORD style = WS_POPUP | WS_VISIBLE;
    if (saverMode == ModePreview) {
        RECT rect = {0, 0, 0, 0};
        GetWindowRect(parent, &rect);
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        style = WS_CHILD | WS_VISIBLE;
    } else {
        *width = GetSystemMetrics(SM_CXSCREEN);
        *height = GetSystemMetrics(SM_CYSCREEN);
        parent = nullptr;
    }
    return CreateWindowExA(0, kClassName, "SaverWindow", style, 0, 0, *width, *height, parent, nullptr,
                           moduleInstance, nullptr);
}

void SetScreenSaverRunning(BOOL running, RunHandles* run) {
    if (saverMode == ModeSaver) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &run->previousRunning, 0);
}

bool SetUpPixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR descriptor = PixelFormatRequest();
    int format = ChoosePixelFormat(dc, &descriptor);
    if (format == 0) {
        ShowError("ChoosePixelFormat() failed:  Cannot find a suitable pixel format.");
        return false;
    }
    if (!SetPixelFormat(dc, format, &descriptor)) {
        ShowError("SetPixelFormat() failed:  Cannot set format specified.");
        return false;
    }
    return true;
}

// Drawing needs a current context: without one the run ends here.
bool SetUpContext(RunHandles* run) {
    run->context = wglCreateContext(run->dc);
    if (run->context == nullptr) {
        ShowError("wglCreateContext() failed:  Cannot create a rendering context.");
        return false;
    }
    if (!wglMakeCurrent(run->dc, run->context)) {
        ShowError("wglMakeCurrent() failed:  Cannot activate the rendering context.");
        wglDeleteContext(run->context);
        return false;
    }
    return true;
}

bool BuildScene(int width, int height) {
    activeScene = new (std::nothrow) Scene();
    if (activeScene == nullptr) {
        ShowError("new Scene() failed:  Not enough memory for the scene.");
        return false;
    }
    activeScene->SetUp(width, height);
    return true;
}

void ReleaseContext(RunHandles* run) {
    wglMakeCurrent(nullptr, nullptr);
    ReleaseDC(saverWindow, run->dc);
    wglDeleteContext(run->context);
}

// A preview's parent may go without a word to its child (a host process that
// was killed): about once a second the preview looks, and ends as if destroyed.
// A child the system already took with its parent cannot be destroyed again.
bool EndedWithParent(HWND parent, DWORD* lastCheck) {
    if (saverMode != ModePreview || GetTickCount() - *lastCheck < kParentCheckMilliseconds) return false;
    *lastCheck = GetTickCount();
    if (IsWindow(parent)) return false;
    if (!DestroyWindow(saverWindow)) PostQuitMessage(0);
    return true;
}

// Every pending message is handled before the next frame; the loop never waits
// for messages and paces itself only by the Scene's frame delay.
void RunMessageLoop(HDC dc, HWND parent) {
    MSG msg = {};
    DWORD parentChecked = GetTickCount();
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (EndedWithParent(parent, &parentChecked)) continue;
        uint32_t flags = saverContext->useMirrors != 0 ? kMirrorFlag : 0;
        if (activeScene->Render(flags)) SwapBuffers(dc);
        Sleep(DWORD(activeScene->frameDelay));
    }
}

void TearDownScene() {
    if (activeScene == nullptr) return;
    activeScene->TearDown();
    delete activeScene;
}

}  // namespace

PIXELFORMATDESCRIPTOR PixelFormatRequest() {
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 32;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

void RunSaverWindow(HWND parent, int showCommand) {
    if (!RegisterSaverClass()) {
        ShowError("RegisterClass() failed:  Cannot register window class.");
        return;
    }
    int width = 0, height = 0;
    saverWindow = CreateSaverWindow(parent, &width, &height);
    if (saverWindow == nullptr) return;

    RunHandles run;
    SetScreenSaverRunning(TRUE, &run);
    run.dc = GetDC(saverWindow);
    if (!SetUpPixelFormat(run.dc) || !SetUpContext(&run)) {
        SetScreenSaverRunning(FALSE, &run);
        return;
    }
    if (!BuildScene(width, height)) {
        ReleaseContext(&run);
        SetScreenSaverRunning(FALSE, &run);
        return;
    }
    ShowWindow(saverWindow, showCommand);

    RunMessageLoop(run.dc, parent);

    TearDownScene();
    ReleaseContext(&run);
    SetScreenSaverRunning(FALSE, &run);
}
