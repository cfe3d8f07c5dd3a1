// Plays the display settings' preview for the end-to-end tests: makes a
// borderless window, starts the saver with "/p <its handle>", waits for a
// child window of its size, lets it draw, destroys itself, and waits for the
// saver to end. Prints what it saw; exit code 0 when the saver made the child
// and then ended with exit code 0. Usage: preview_host SAVER WIDTH HEIGHT
// [killed]; with "killed" the window belongs to a second process that is
// killed instead, as when the settings program dies without a word.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const DWORD kChildWaitMs = 30000;  // a cold Wine start with Mesa can be slow
const DWORD kDrawMs = 4000;  // long enough for a few shots of the picture
const DWORD kExitWaitMs = 10000;

HWND MakeHostWindow(int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PreviewHost";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "PreviewHost", "Preview host", WS_POPUP | WS_VISIBLE, 40, 40, width, height, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

bool Start(std::string commandLine, PROCESS_INFORMATION* process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          process) != 0;
}

bool StartSaver(const char* saver, HWND host, PROCESS_INFORMATION* process) {
    return Start(std::string("\"") + saver + "\" /p " +
                     std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(host))),
                 process);
}

// Handles this thread's messages (the saver's child sends some to its parent) for `ms` milliseconds,
// or until `done` says so.
template <typename Done>
bool PumpUntil(DWORD ms, Done done) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (done()) return true;
        Sleep(20);
    }
    return done();
}

// The host window in a second copy of this program ("window"), which owns it
// until it is killed.
HWND MakeHostInOtherProcess(char** argv, PROCESS_INFORMATION* owner) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    HWND host = nullptr;
    if (Start(std::string("\"") + self + "\" - " + argv[2] + " " + argv[3] + " window", owner))
        PumpUntil(kChildWaitMs, [&] { return (host = FindWindowA("PreviewHost", nullptr)) != nullptr; });
    return host;
}

LONG Width(const RECT& rect) { return rect.right - rect.left; }
LONG Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc == 5 ? argv[4] : "";
    if (argc < 4 || argc > 5 || (argc == 5 && mode != "killed" && mode != "window")) {
        std::fprintf(stderr, "usage: preview_host SAVER WIDTH HEIGHT [killed]\n");
        return 2;
    }
    int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
    if (mode == "window") {
        MakeHostWindow(width, height);
        PumpUntil(kChildWaitMs * 2, [] { return false; });
        return 0;
    }
    PROCESS_INFORMATION owner = {};
    HWND host = mode == "killed" ? MakeHostInOtherProcess(argv, &owner) : MakeHostWindow(width, height);
    PROCESS_INFORMATION process = {};
    if (host == nullptr || !StartSaver(argv[1], host, &process)) {
        std::fprintf(stderr, "could not make the host window or start the saver\n");
        return 1;
    }
    HWND child = nullptr;
    PumpUntil(kChildWaitMs, [&] { return (child = GetWindow(host, GW_CHILD)) != nullptr; });
    bool ok = child != nullptr;
    if (ok) {
        RECT hostRect, childRect;
        GetWindowRect(host, &hostRect);
        GetWindowRect(child, &childRect);
        char className[64] = {};
        GetClassNameA(child, className, sizeof(className));
        std::printf("host %ldx%ld child %s %ldx%ld at %ld,%ld\n", Width(hostRect), Height(hostRect), className,
                    Width(childRect), Height(childRect), childRect.left - hostRect.left, childRect.top - hostRect.top);
        ok = Width(childRect) == Width(hostRect) && Height(childRect) == Height(hostRect) &&
             childRect.left == hostRect.left && childRect.top == hostRect.top;
        PumpUntil(kDrawMs, [] { return false; });
    } else {
        std::printf("no child window appeared\n");
    }
    if (mode == "killed") TerminateProcess(owner.hProcess, 1);
    else DestroyWindow(host);
    bool ended = PumpUntil(kExitWaitMs, [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("saver %s, exit code %lu\n", ended ? "ended" : "still running", static_cast<unsigned long>(exitCode));
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok && ended && exitCode == 0 ? 0 : 1;
}
