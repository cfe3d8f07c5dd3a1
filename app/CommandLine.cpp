#include "app/CommandLine.h"

#include <climits>

namespace {

const char* SkipProgramName(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
        return p;
    }
    while (*p != '\0' && *p != ' ') ++p;
    if (*p == ' ') ++p;
    return p;
}

const char* SkipSpacesAndColons(const char* p) {
    while (*p == ' ' || *p == ':') ++p;
    return p;
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

HWND HandleFromInt(int value) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

}  // namespace

int ConvertDecimal(const char* text) {
    while (IsCSpace(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = (*text++ == '-');
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit) magnitude = limit;  // saturate; keeps reading digits
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

ParsedCommandLine ParseCommandLine(const char* commandLine, HWND (*foregroundWindow)()) {
    ParsedCommandLine parsed;
    const char* p = SkipProgramName(commandLine ? commandLine : "");
    while (*p == ' ') ++p;
    if (*p == '\0') {
        parsed.mode = ModeConfigure;
        return parsed;
    }
    if (*p == '-' || *p == '/') ++p;
    switch (*p) {
        case 'S':
        case 's':
            parsed.mode = ModeSaver;
            break;
        case 'P':
        case 'p':
        case 'L':
        case 'l':
            parsed.mode = ModePreview;
            parsed.window = HandleFromInt(ConvertDecimal(SkipSpacesAndColons(p + 1)));
            break;
        case 'C':
        case 'c': {
            parsed.mode = ModeConfigure;
            const char* rest = SkipSpacesAndColons(p + 1);
            parsed.window = (*rest == '\0') ? foregroundWindow() : HandleFromInt(ConvertDecimal(rest));
            break;
        }
        case 'A':
        case 'a':
            parsed.mode = ModeChangePassword;
            parsed.window = HandleFromInt(ConvertDecimal(SkipSpacesAndColons(p + 1)));
            break;
        default:
            break;
    }
    return parsed;
}
