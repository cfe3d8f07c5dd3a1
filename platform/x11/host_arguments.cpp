#include "platform/x11/host_arguments.h"

#include <cerrno>
#include <cstdlib>

namespace standin {

namespace {

bool IsOneOf(const std::string& argument, const char* longForm, const char* shortForm) {
    return argument == longForm || argument == shortForm;
}

// The first argument decides whether the line is read as host options: a long
// option, or one of the single-dash forms daemons use. None of these begins
// with a switch letter of the program's own parse.
bool StartsHostOptions(const std::string& argument) {
    if (argument.size() > 2 && argument.compare(0, 2, "--") == 0) return true;
    for (const char* form : {"-root", "-window-id", "-mirrors", "-no-mirrors", "-h"})
        if (argument == form) return true;
    return false;
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

bool Mentions(const std::vector<std::string>& arguments, const char* longForm, const char* shortForm) {
    for (size_t i = 1; i < arguments.size(); ++i)
        if (IsOneOf(arguments[i], longForm, shortForm)) return true;
    return false;
}

// Reads the options in order; the target is --root or --window-id, at most one.
HostArguments ReadOptions(const std::vector<std::string>& arguments, const char* screensaverWindow) {
    HostArguments target;
    target.kind = HostArguments::FullScreen;
    int mirrors = -1;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool root = IsOneOf(argument, "--root", "-root");
        bool windowId = IsOneOf(argument, "--window-id", "-window-id");
        if (IsOneOf(argument, "--mirrors", "-mirrors") || IsOneOf(argument, "--no-mirrors", "-no-mirrors")) {
            mirrors = argument.find("no-") == std::string::npos ? 1 : 0;
        } else if ((root || windowId) && target.kind != HostArguments::FullScreen) {
            return Refuse("give only one of --root and --window-id");
        } else if (root) {
            target = FromScreensaverWindow(screensaverWindow);
        } else if (windowId && i + 1 >= arguments.size()) {
            return Refuse(argument + " needs a window id");
        } else if (windowId) {
            target = DrawInto(arguments[++i], argument);
        } else if (argument.compare(0, 2, "--") == 0) {
            return Refuse("unknown option " + argument + "; see orchardia --help");
        } else {
            return Refuse("unexpected argument \"" + argument + "\" after the options; see orchardia --help");
        }
        if (target.kind == HostArguments::Refused) return target;
    }
    target.mirrors = mirrors;
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
    if (arguments.size() < 2 || !StartsHostOptions(arguments[1])) return result;
    if (Mentions(arguments, "--help", "-h")) {
        result.kind = HostArguments::Help;
    } else if (Mentions(arguments, "--version", "--version")) {
        result.kind = HostArguments::Version;
    } else {
        result = ReadOptions(arguments, screensaverWindow);
    }
    return result;
}

}  // namespace standin
