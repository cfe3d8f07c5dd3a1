#include "app/SaverContext.h"

const char kSystemSaverKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char kProgramKey[] = "Software\\Kelvra\\Quillon Saver";

namespace {

// Reads a value of at most four bytes. The buffer starts zeroed so that a
// shorter value fills the low bytes and leaves the rest 0.
bool QueryDword(HKEY key, const char* name, DWORD* result) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return false;
    *result = value;
    return true;
}

}  // namespace

void SaverContext::ReadSystemSaverSettings() {
    passwordDelay = 15;
    mouseThreshold = 50;
    checkingPassword = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSystemSaverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    DWORD value = 0;
    if (QueryDword(key, "Password Delay", &value)) passwordDelay = value;
    if (QueryDword(key, "Mouse Threshold", &value)) mouseThreshold = static_cast<LONG>(value);
    RegCloseKey(key);
}

void SaverContext::ReadSaverSettings() {
    useMirrors = 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    QueryDword(key, "UseMirrors", &useMirrors);
    RegCloseKey(key);
}

LSTATUS SaverContext::WriteSaverSettings(const char** failedStep) {
    const char* step = "create the key HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver";
    HKEY key = nullptr;
    DWORD disposition = 0;
    LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (status == ERROR_SUCCESS) {
        step = "set the value UseMirrors";
        status = RegSetValueExA(key, "UseMirrors", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&useMirrors),
                                sizeof(useMirrors));
        RegCloseKey(key);
    }
    if (failedStep != nullptr) *failedStep = step;
    return status;
}
