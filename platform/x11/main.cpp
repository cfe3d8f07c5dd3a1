// The process entry on Linux: turns a screen-saver daemon's conventions into
// the program's own command line, rebuilds the Win32 command line from the
// arguments and hands over to WinMain.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/x11/host_arguments.h"
#include "platform/x11/process.h"

namespace {

// False when the daemon's window cannot be used; the reason is on stderr.
bool TranslateHostArguments(std::vector<std::string>* arguments) {
    standin::HostArguments host = standin::ReadHostArguments(*arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (host.kind == standin::HostArguments::NotHost) return true;
    std::string why = host.reason;
    unsigned long window = 0;
    if (host.kind == standin::HostArguments::Refused || !standin::ResolveHostWindow(host, &window, &why)) {
        std::fprintf(stderr, "orchardia: %s; nothing to draw into.\n", why.c_str());
        return false;
    }
    *arguments = {arguments->front(), "/p", std::to_string(window)};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    if (arguments.empty()) arguments.push_back("orchardia");
    if (!TranslateHostArguments(&arguments)) return 0;
    standin::SetCommandLine(arguments);
    return WinMain(standin::ModuleInstance(), nullptr, standin::CommandTail(), SW_SHOWDEFAULT);
}
