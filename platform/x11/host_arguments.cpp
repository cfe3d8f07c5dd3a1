#include "platform/x11/host_arguments.h"

#include <cerrno>
#include <cstdlib>

namespace standin {

namespace {

// The option's name without its dashes, or "" for a word that is none. Every
// option takes two dashes; the run options take one as well, as Xt programs
// do, and none of those begins with a switch letter of the program's own parse.
std::string OptionName(const std::string& argument) {
    if (argument.size() > 2 && argument.compare(0, 2, "--") == 0) return argument.substr(2);
    for (const char* name : {"root", "window-id", "mirrors", "no-mirrors", "fps", "h"})
        if (argument.size() > 1 && argument[0] == '-' && argument.compare(1, std::string::npos, name) == 0)
            return name;
    return "";
}

HostArguments Refuse(const std::string& reason) {
    HostArguments result;
    result.kind = HostArguments::Refused;
    result.reason = reason;
    return result;
}

HostArguments DrawInto(const std::string& text, const std::string& whatNames) {
    unsigned long window = 0;
    if (!ParseWindowId(text, &window)) return Refuse(whatNames + " is not a window id: \"" + text + "\"");
    HostArguments result;
    result.kind = HostArguments::Window;
    result.window = window;
    result.windowText = text;
    return result;
}

HostArguments FromScreensaverWindow(const char* value) {
    if (value != nullptr) return DrawInto(value, "XSCREENSAVER_WINDOW");
    HostArguments result;
    result.kind = HostArguments::RootWindow;
    return result;
}

bool Mentions(const std::vector<std::string>& arguments, const char* name, const char* otherName) {
    for (size_t i = 1; i < arguments.size(); ++i)
        if (OptionName(arguments[i]) == name || OptionName(arguments[i]) == otherName) return true;
    return false;
}

// The commands that edit xscreensaver's list stand alone on the line.
HostArguments ListCommand(const std::vector<std::string>& arguments, const std::string& name) {
    if (arguments.size() > 2) return Refuse("--" + name + " takes no other arguments");
    HostArguments result;
    result.kind = name[0] == 'a' ? HostArguments::AddToList : HostArguments::RemoveFromList;
    return result;
}

// Reads the options in order. The target is the last --window-id, else --root
// (a settings dialog appends --window-id to a command that holds --root), else
// a full-screen run.
HostArguments ReadOptions(const std::vector<std::string>& arguments, const char* screensaverWindow) {
    HostArguments options;
    bool root = false;
    size_t windowId = 0;  // the index of the last --window-id's value
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string name = OptionName(argument);
        if (name == "mirrors" || name == "no-mirrors") {
            options.mirrors = name == "mirrors";
        } else if (name == "fps") {
            options.fps = true;
        } else if (name == "root") {
            root = true;
        } else if (name == "window-id" && i + 1 >= arguments.size()) {
            return Refuse(argument + " needs a window id");
        } else if (name == "window-id") {
            windowId = ++i;
        } else if (name == "add-to-xscreensaver" || name == "remove-from-xscreensaver") {
            return ListCommand(arguments, name);
        } else if (!name.empty()) {
            return Refuse("unknown option " + argument + "; see orchardia --help");
        } else {
            return Refuse("unexpected argument \"" + argument + "\" after the options; see orchardia --help");
        }
    }
    HostArguments target = options;
    target.kind = HostArguments::FullScreen;
    if (windowId != 0) {
        target = DrawInto(arguments[windowId], arguments[windowId - 1]);
    } else if (root) {
        target = FromScreensaverWindow(screensaverWindow);
    }
    target.mirrors = options.mirrors;
    target.fps = options.fps;
    return target;
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
    HostArguments result;
    if (arguments.size() < 2 || OptionName(arguments[1]).empty()) return result;
    if (Mentions(arguments, "help", "h")) {
        result.kind = HostArguments::Help;
    } else if (Mentions(arguments, "version", "version")) {
        result.kind = HostArguments::Version;
    } else {
        result = ReadOptions(arguments, screensaverWindow);
    }
    return result;
}

}  // namespace standin
