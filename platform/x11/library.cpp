// LoadLibraryA/GetProcAddress/FreeLibrary over dlopen, and the platform version.
#include <dlfcn.h>

#include <cstring>
#include <string>

#include "platform/x11/testing.h"
#include "platform/x11/win32.h"

namespace {

DWORD platformId = VER_PLATFORM_WIN32_NT;
std::string libraryDirectory;

void* OpenLibrary(const std::string& path) {
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

void standin::SetPlatformId(DWORD id) {
    platformId = id;
}

void standin::SetLibraryDirectory(const std::string& directory) {
    libraryDirectory = directory;
}

HMODULE WINAPI LoadLibraryA(LPCSTR fileName) {
    void* handle = nullptr;
    if (!libraryDirectory.empty()) handle = OpenLibrary(libraryDirectory + "/" + fileName);
    if (handle == nullptr) handle = OpenLibrary(fileName);
    return static_cast<HMODULE>(handle);
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName) {
    return reinterpret_cast<FARPROC>(dlsym(module, procName));
}

BOOL WINAPI FreeLibrary(HMODULE module) {
    return dlclose(module) == 0;
}

// Linux reports the NT platform: closing is never password-gated, locking is
// the screen locker's job.
BOOL WINAPI GetVersionExA(OSVERSIONINFOA* info) {
    if (info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) return FALSE;
    std::memset(&info->dwMajorVersion, 0, sizeof(*info) - sizeof(info->dwOSVersionInfoSize));
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 1;
    info->dwPlatformId = platformId;
    return TRUE;
}
