#include "platform/x11/window/window_table.h"

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/x11/xerror.h"

namespace {

std::map<std::string, standin::WindowClass> classes;
std::map<Window, standin::WindowRecord> windows;
std::vector<std::unique_ptr<standin::DeviceContext>> deviceContexts;
std::set<Window> everCreated;  // ids of windows made here, also after their end
bool windowGoneNoted = false;  // a record was marked serverGone since the last look

std::string Folded(const char* name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return folded;
}

}  // namespace

const standin::WindowClass* standin::FindWindowClass(const char* name) {
    auto found = classes.find(Folded(name));
    return found == classes.end() ? nullptr : &found->second;
}

bool standin::AddWindowClass(const char* name, const WindowClass& windowClass) {
    return classes.emplace(Folded(name), windowClass).second;
}

standin::WindowRecord* standin::FindWindowRecord(Window id) {
    auto found = windows.find(id);
    return found == windows.end() ? nullptr : &found->second;
}

bool standin::IsOwnWindow(unsigned long id) {
    return everCreated.count(id) != 0;
}

// Called from the X error handler: no requests here, only bookkeeping.
void standin::NoteWindowGone(unsigned long id) {
    WindowRecord* record = FindWindowRecord(Window(id));
    if (record == nullptr) return;
    record->serverGone = true;
    record->dc->windowAlive = false;
    windowGoneNoted = true;
}

bool standin::TakeWindowGoneNote() {
    bool noted = windowGoneNoted;
    windowGoneNoted = false;
    return noted;
}

standin::WindowRecord* standin::AddWindowRecord(Window id) {
    everCreated.insert(id);
    WindowRecord& record = windows[id];
    record = WindowRecord();
    record.id = id;
    return &record;
}

void standin::RemoveWindowRecord(Window id) {
    windows.erase(id);
}

std::vector<Window> standin::LiveWindows() {
    std::vector<Window> ids;
    for (const auto& entry : windows) ids.push_back(entry.first);
    return ids;
}

standin::DeviceContext* standin::NewDeviceContext() {
    deviceContexts.push_back(std::make_unique<DeviceContext>());
    return deviceContexts.back().get();
}
