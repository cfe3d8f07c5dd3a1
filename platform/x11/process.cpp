#include "platform/x11/process.h"

#include <cstring>
#include <string>

namespace {

std::string commandLine;
size_t tailOffset = 0;
bool runFailed = false;

// Windows reads the program name up to the next space, or when it starts with
// a quote up to the next quote, with no escapes. A Windows file name cannot
// hold a quote, so one in a quoted name is left out rather than end it early.
void AppendProgramName(std::string* line, const std::string& name) {
    if (!name.empty() && name[0] != '"' && name.find_first_of(" \t") == std::string::npos) {
        line->append(name);
        return;
    }
    line->push_back('"');
    for (char c : name)
        if (c != '"') line->push_back(c);
    line->push_back('"');
}

// Windows' rules for the other arguments: quoted when empty or holding a space,
// tab or quote; inside the quotes a quote gets a backslash, and backslashes that
// come before a quote (the closing one included) are doubled.
void AppendArgument(std::string* line, const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        line->append(argument);
        return;
    }
    line->push_back('"');
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        line->append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        line->push_back(c);
        backslashes = 0;
    }
    line->append(2 * backslashes, '\\');
    line->push_back('"');
}

}  // namespace

void standin::SetCommandLine(const std::vector<std::string>& arguments) {
    commandLine.clear();
    tailOffset = 0;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) commandLine += ' ';
        if (i == 1) tailOffset = commandLine.size();
        if (i == 0) AppendProgramName(&commandLine, arguments[i]);
        else AppendArgument(&commandLine, arguments[i]);
    }
    if (arguments.size() <= 1) tailOffset = commandLine.size();
}

LPSTR standin::CommandTail() {
    return &commandLine[tailOffset];
}

HINSTANCE standin::ModuleInstance() {
    static int module;
    return reinterpret_cast<HINSTANCE>(&module);
}

LPSTR WINAPI GetCommandLineA(void) {
    return &commandLine[0];
}

void WINAPI GetStartupInfoA(STARTUPINFOA* info) {
    DWORD size = info->cb;
    std::memset(info, 0, sizeof(*info));
    info->cb = size;  // no show flag: the show command is SW_SHOWDEFAULT
}

void standin::NoteRunFailure() {
    runFailed = true;
}

bool standin::RunFailed() {
    return runFailed;
}
