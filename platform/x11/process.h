// The stand-in's process state: the command line WinMain reads back, and
// whether the run could start.
#pragma once

#include <string>
#include <vector>

#include "platform/x11/win32.h"

namespace standin {

// Arguments joined by one space and quoted as Windows' command-line rules
// expect (an argument holding a space, tab or quote goes in double quotes).
void SetCommandLine(const std::vector<std::string>& arguments);
// The command line after the program name, as WinMain's third argument.
LPSTR CommandTail();
// The one module handle of the process (resources are looked up through it).
HINSTANCE ModuleInstance();

// A run that could not start (no display, no window to draw into, a start-up
// error's message box) notes it; under a host option the exit code is then 1.
void NoteRunFailure();
bool RunFailed();

}  // namespace standin
