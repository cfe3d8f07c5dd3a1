#include "app/SaverWindow.h"

namespace {

typedef BOOL(WINAPI* VerifyScreenSavePwdProc)(HWND);
typedef DWORD(WINAPI* PwdChangePasswordProc)(LPCSTR, HWND, DWORD, LPVOID);

}  // namespace

int VerifySaverPassword(HWND window) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return 1;

    HMODULE library = LoadLibraryA("PASSWORD.CPL");
    if (library == nullptr) return 1;
    auto verify = reinterpret_cast<VerifyScreenSavePwdProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "VerifyScreenSavePwd")));
    if (verify == nullptr) {
        FreeLibrary(library);
        return 1;
    }
    int result = verify(window);
    FreeLibrary(library);
    return result;
}

void ChangeSaverPassword(HWND parent) {
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (library == nullptr) return;
    auto change = reinterpret_cast<PwdChangePasswordProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")));
    if (change != nullptr) change("SCRSAVE", parent, 0, nullptr);
    FreeLibrary(library);
}
