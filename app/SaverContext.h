// The settings and input-tracking record of a run, and its registry storage.
#pragma once

#include "platform/winapi.h"

struct SaverContext {
    HWND window = nullptr;       // the saver window, recorded at WM_CREATE
    DWORD passwordDelay = 0;     // grace period after start, seconds
    LONG mouseThreshold = 0;     // cursor travel per axis that counts as input, pixels
    POINT startCursor = {0, 0};  // screen coordinates movement is measured from
    DWORD startTick = 0;         // GetTickCount at window creation, milliseconds
    LONG checkingPassword = 0;   // 1 while the platform's password dialog is up
    LONG closeRequested = 0;     // 1 from the first close request on
    DWORD useMirrors = 0;        // nonzero: mirror every second wedge

    // Registry: the system's screen-saver values and the program's own.
    void ReadSystemSaverSettings();
    void ReadSaverSettings();
    // Stores useMirrors: ERROR_SUCCESS, or the status of the call that failed
    // with `failedStep` (when given) saying what could not be done.
    LSTATUS WriteSaverSettings(const char** failedStep = nullptr);

    // Close and cursor operations of the saver window.
    void RequestClose();
    void BeginPasswordCheck();
    void EndPasswordCheck();
};

// Registry locations under HKEY_CURRENT_USER.
extern const char kSystemSaverKey[];
extern const char kProgramKey[];
