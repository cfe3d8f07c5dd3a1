// Describes a live dialog of another process, for the end-to-end tests:
//   dialog "<caption>" <client width> <client height> focus <id of the focused control>
//   control <class> <id> "<text>" <style, hex> <x> <y> <width> <height>   (client pixels)
// one control line per child in template order, then for each check box
//   check <id> <state>   (0 clear, 1 ticked) Usage: dialog_probe "<caption>"
// Exit code 0 when the dialog was found within ten seconds, 1 otherwise.
#include <windows.h>

#include <cstdio>

namespace {

HWND FindDialog(const char* caption) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        HWND dialog = FindWindowA("#32770", caption);
        if (dialog != nullptr) return dialog;
        Sleep(100);
    }
    return nullptr;
}

int FocusedControlId(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

void DescribeControl(HWND dialog, HWND control) {
    char className[64] = {};
    char text[256] = {};
    GetClassNameA(control, className, sizeof(className));
    GetWindowTextA(control, text, sizeof(text));
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    int id = static_cast<short>(GetDlgCtrlID(control));  // -1 is stored as 0xffff
    auto style = static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE));
    std::printf("control %s %d \"%s\" %08lx %ld %ld %ld %ld\n", className, id, text, style, rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog_probe \"<caption>\"\n");
        return 2;
    }
    HWND dialog = FindDialog(argv[1]);
    if (dialog == nullptr) {
        std::fprintf(stderr, "no dialog \"%s\"\n", argv[1]);
        return 1;
    }
    char caption[256] = {};
    GetWindowTextA(dialog, caption, sizeof(caption));
    RECT client = {};
    GetClientRect(dialog, &client);
    std::printf("dialog \"%s\" %ld %ld focus %d\n", caption, client.right, client.bottom, FocusedControlId(dialog));
    // A dialog's controls are in template order from the top of the z-order down.
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        DescribeControl(dialog, child);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        auto type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
            std::printf("check %d %d\n", GetDlgCtrlID(child), static_cast<int>(SendMessageA(child, BM_GETCHECK, 0, 0)));
    }
    return 0;
}
