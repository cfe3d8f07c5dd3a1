// SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING): the state is recorded for
// tests to read; on Linux it has no other effect.
#include "platform/x11/testing.h"
#include "platform/x11/unsupported.h"
#include "platform/x11/win32.h"

namespace {
bool screenSaverRunning = false;
}

// Stores the previous state in *data (a BOOL-sized word) when data is given.
BOOL WINAPI SystemParametersInfoA(UINT action, UINT param, LPVOID data, UINT winIni) {
    if (action != SPI_SETSCREENSAVERRUNNING) standin::Unsupported("SystemParametersInfoA", "action", action);
    if (winIni != 0) standin::Unsupported("SystemParametersInfoA", "profile update flags", winIni);
    if (data != nullptr) *static_cast<UINT*>(data) = screenSaverRunning ? TRUE : FALSE;
    screenSaverRunning = param != 0;
    return TRUE;
}

bool standin::ScreenSaverRunning() {
    return screenSaverRunning;
}
