#include <new>

#include "app/CommandLine.h"
#include "app/ConfigDialog.h"
#include "app/GLWindow.h"
#include "app/SaverContext.h"
#include "app/SaverMode.h"
#include "app/SaverWindow.h"
#include "assets/resource.h"

namespace {

// The show command the start-up code passes on.
int StartupShowCommand() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

HWND ForegroundWindow() {
    return GetForegroundWindow();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    moduleInstance = instance;
    ParsedCommandLine parsed = ParseCommandLine(GetCommandLineA(), ForegroundWindow);
    saverMode = parsed.mode;

    saverContext = new (std::nothrow) SaverContext();
    if (saverContext == nullptr) return 0;  // nothing to report to; end quietly
    saverContext->ReadSystemSaverSettings();
    saverContext->ReadSaverSettings();

    if (saverMode == ModeChangePassword) ChangeSaverPassword(parsed.window);
    if (saverMode == ModeConfigure)
        DialogBoxParamA(moduleInstance, MAKEINTRESOURCEA(IDD_CONFIG), parsed.window, ConfigDialogProc, 0);
    if (saverMode == ModeSaver || saverMode == ModePreview) RunSaverWindow(parsed.window, StartupShowCommand());

    delete saverContext;
    saverContext = nullptr;
    return 0;
}
