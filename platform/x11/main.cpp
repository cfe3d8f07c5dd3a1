// The process entry on Linux: rebuilds the Win32 command line from argv and
// hands over to WinMain.
#include <cstdlib>

#include "platform/x11/process.h"

int main(int argc, char** argv) {
    standin::SetCommandLine(argc, argv);
    return WinMain(standin::ModuleInstance(), nullptr, standin::CommandTail(), SW_SHOWDEFAULT);
}
