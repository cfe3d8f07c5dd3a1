// The screen-saver command line: /s, /p <window>, /c [<window>], /a [<window>].
#pragma once

#include "app/SaverMode.h"

struct ParsedCommandLine {
    SaverMode mode = ModeNone;
    HWND window = nullptr;  // preview parent, dialog owner or password dialog parent
};

// Parses the full process command line, program name included.
// `foregroundWindow` is asked only for a bare /c.
ParsedCommandLine ParseCommandLine(const char* commandLine, HWND (*foregroundWindow)());

// The standard decimal conversion: leading white space, an optional sign,
// digits up to the first non-digit; no digits give 0. Values beyond the int
// range saturate at INT_MIN or INT_MAX instead of overflowing.
int ConvertDecimal(const char* text);
