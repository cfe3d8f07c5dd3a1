// Puts values of any type and size into the platform's own store: the real
// registry on Windows, the stand-in's user.reg on Linux (written as a .reg
// file, since the stand-in itself writes only the DWORDs the program stores),
// and reads the settings back as the program does.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/SaverContext.h"
#include "platform/winapi.h"

struct StoredValue {
    const char* key;  // below HKEY_CURRENT_USER
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
};

// Empties the store of the two keys the settings record reads, then stores `values`.
void ReplaceStoredValues(const std::vector<StoredValue>& values);

struct Settings {
    DWORD passwordDelay;
    LONG mouseThreshold;
    DWORD useMirrors;
};

// The settings as WinMain reads them, into a context that held other values.
inline Settings ReadSettings() {
    SaverContext context;
    context.passwordDelay = 99;
    context.mouseThreshold = 99;
    context.useMirrors = 99;
    context.checkingPassword = 1;
    context.ReadSystemSaverSettings();
    context.ReadSaverSettings();
    EXPECT_EQ(context.checkingPassword, 0);
    return {context.passwordDelay, context.mouseThreshold, context.useMirrors};
}
