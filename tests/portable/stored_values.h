// Puts values of any type and size into the platform's own store: the real
// registry on Windows, the stand-in's user.reg on Linux (written as a .reg
// file, since the stand-in itself writes only the DWORDs the program stores).
#pragma once

#include <vector>

#include "platform/winapi.h"

struct StoredValue {
    const char* key;  // below HKEY_CURRENT_USER
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
};

// Empties the store of the two keys the settings record reads, then stores `values`.
void ReplaceStoredValues(const std::vector<StoredValue>& values);
