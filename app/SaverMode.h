// The run mode and the process-wide variables of the saver host.
#pragma once

#include "platform/winapi.h"

enum SaverMode {
    ModeNone = 0,            // no action
    ModeConfigure = 1,       // the configuration dialog
    ModeChangePassword = 2,  // the platform's password-change dialog
    ModePreview = 3,         // draw into the preview window given on the command line
    ModeSaver = 4,           // full-screen run
};

struct SaverContext;
class Scene;

// Set by the command-line parse and never changed afterwards.
extern SaverMode saverMode;
// The module instance handle, stored first thing on entry.
extern HINSTANCE moduleInstance;
// The one SaverContext, valid from its creation until just before WinMain returns.
extern SaverContext* saverContext;
// The saver window (null when creation failed) and the Scene of the run.
extern HWND saverWindow;
extern Scene* activeScene;
