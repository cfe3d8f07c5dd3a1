#include "platform/x11/host/host_arguments.h"

#include <cerrno>
#include <cstdlib>

namespace standin {

namespace {

// Every option, as it is written after its one dash or two.
const char* const kOptionNames[] = {"root", "window-id", "window", "geometry", "mirrors", "no-mirrors", "fps",
                                    "h",    "help",      "version", "add-to-xscreensaver", "remove-from-xscreensaver"};

// The option's name without its dashes, or "" for a word that is none. Two
// dashes make any word an option (an unknown one is refused); one dash only
// the names above, as Xt programs take them, so "-x" stays a Windows switch.
std::string OptionName(const std::string& argument) {
    if (argument.size() > 2 && argument.compare(0, 2, "--") == 0) return argument.substr(2);
    for (const char* name : kOptionNames)
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

// A command that answers or edits a file stands alone on the line.
HostArguments StandAlone(const std::vector<std::string>& arguments, const std::string& name) {
    if (arguments.size() > 2) return Refuse(arguments[1] + " takes no other arguments");
    HostArguments result;
    result.kind = HostArguments::Help;
    if (name == "version") result.kind = HostArguments::Version;
    if (name == "add-to-xscreensaver") result.kind = HostArguments::AddToList;
    if (name == "remove-from-xscreensaver") result.kind = HostArguments::RemoveFromList;
    return result;
}

// One side of WIDTHxHEIGHT: 1 to 32767 pixels, the most an X window may have.
bool ParseSide(const std::string& text, int* pixels) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    *pixels = std::atoi(text.c_str());
    return *pixels >= 1 && *pixels <= 32767;
}

bool ParseGeometry(const std::string& text, int* width, int* height) {
    size_t x = text.find_first_of("xX");
    return x != std::string::npos && ParseSide(text.substr(0, x), width) && ParseSide(text.substr(x + 1), height);
}

// What the options ask for beyond the run's mirrors and frame rate.
struct Target {
    bool root = false;
    bool window = false;
    size_t windowId = 0;  // the index of the last --window-id's value
    size_t geometry = 0;  // the index of the last --geometry's value
};

HostArguments Choose(const std::vector<std::string>& arguments, const Target& target, const char* screensaverWindow) {
    HostArguments result;
    result.kind = HostArguments::FullScreen;
    if (target.geometry != 0 && !target.window) return Refuse("--geometry is for --window");
    if (target.windowId != 0) return DrawInto(arguments[target.windowId], arguments[target.windowId - 1]);
    if (target.root && target.window) return Refuse("--root and --window cannot be combined; choose one");
    if (target.root) return FromScreensaverWindow(screensaverWindow);
    if (!target.window) return result;
    result.kind = HostArguments::OwnWindow;
    if (target.geometry != 0 && !ParseGeometry(arguments[target.geometry], &result.width, &result.height))
        return Refuse("--geometry needs WIDTHxHEIGHT in pixels (1 to 32767), such as 800x600, not \"" +
                      arguments[target.geometry] + "\"");
    return result;
}

// Reads the options in order. The target is the last --window-id, else --root
// (a settings dialog appends --window-id to a command that holds --root), else
// --window, else a full-screen run.
HostArguments ReadOptions(const std::vector<std::string>& arguments, const char* screensaverWindow) {
    HostArguments options;
    Target target;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string name = OptionName(argument);
        bool takesValue = name == "window-id" || name == "geometry";
        if (name == "mirrors" || name == "no-mirrors") {
            options.mirrors = name == "mirrors";
        } else if (name == "fps") {
            options.fps = true;
        } else if (name == "root") {
            target.root = true;
        } else if (name == "window") {
            target.window = true;
        } else if (takesValue && i + 1 >= arguments.size()) {
            return Refuse(argument + (name == "geometry" ? " needs a size, such as 800x600" : " needs a window id"));
        } else if (takesValue) {
            (name == "geometry" ? target.geometry : target.windowId) = ++i;
        } else if (name == "help" || name == "h" || name == "version" || name == "add-to-xscreensaver" ||
                   name == "remove-from-xscreensaver") {
            return StandAlone(arguments, name);
        } else if (!name.empty()) {
            return Refuse("unknown option " + argument + "; see orchardia --help");
        } else {
            return Refuse("unexpected argument \"" + argument + "\" after the options; see orchardia --help");
        }
    }
    HostArguments result = Choose(arguments, target, screensaverWindow);
    result.mirrors = options.mirrors;
    result.fps = options.fps;
    return result;
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
    if (arguments.size() < 2 || OptionName(arguments[1]).empty()) return HostArguments();
    return ReadOptions(arguments, screensaverWindow);
}

}  // namespace standin
