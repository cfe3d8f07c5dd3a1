#include "platform/x11/process.h"

#include <cstring>
#include <string>

namespace {

std::string commandLine;
size_t tailOffset = 0;

void AppendArgument(std::string* line, const std::string& argument) {
    if (argument.find(' ') != std::string::npos) {
        line->append("\"").append(argument).append("\"");
    } else {
        line->append(argument);
    }
}

}  // namespace

void standin::SetCommandLine(const std::vector<std::string>& arguments) {
    commandLine.clear();
    tailOffset = 0;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) commandLine += ' ';
        if (i == 1) tailOffset = commandLine.size();
        AppendArgument(&commandLine, arguments[i]);
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
