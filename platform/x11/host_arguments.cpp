#include "platform/x11/host_arguments.h"

#include <cerrno>
#include <cstdlib>

namespace standin {

namespace {

bool IsRootFlag(const std::string& argument) {
    return argument == "--root" || argument == "-root";
}

bool IsWindowIdFlag(const std::string& argument) {
    return argument == "--window-id" || argument == "-window-id";
}

HostArguments Refuse(const std::string& reason) {
    HostArguments result;
    result.kind = HostArguments::Refused;
    result.reason = reason;
    return result;
}

HostArguments DrawInto(unsigned long window) {
    HostArguments result;
    result.kind = HostArguments::Window;
    result.window = window;
    return result;
}

HostArguments FromScreensaverWindow(const char* value) {
    if (value == nullptr) {
        HostArguments result;
        result.kind = HostArguments::RootWindow;
        return result;
    }
    unsigned long window = 0;
    if (!ParseWindowId(value, &window))
        return Refuse(std::string("XSCREENSAVER_WINDOW is not a window id: \"") + value + "\"");
    return DrawInto(window);
}

}  // namespace

bool ParseWindowId(const std::string& text, unsigned long* id) {
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.size() > 10 || digits.find_first_not_of(allowed) != std::string::npos) return false;
    errno = 0;
    unsigned long long value = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
    if (errno != 0 || value == 0 || value > 0xffffffffull) return false;
    *id = static_cast<unsigned long>(value);
    return true;
}

HostArguments ReadHostArguments(const std::vector<std::string>& arguments, const char* screensaverWindow) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (IsRootFlag(arguments[i])) return FromScreensaverWindow(screensaverWindow);
        if (!IsWindowIdFlag(arguments[i])) continue;
        if (i + 1 >= arguments.size()) return Refuse(arguments[i] + " needs a window id");
        unsigned long window = 0;
        if (!ParseWindowId(arguments[i + 1], &window))
            return Refuse(arguments[i] + " is not a window id: \"" + arguments[i + 1] + "\"");
        return DrawInto(window);
    }
    return HostArguments();
}

}  // namespace standin
