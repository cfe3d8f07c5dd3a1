// The process entry on Linux: answers --help and --version, edits
// xscreensaver's list, turns a screen-saver daemon's conventions into the
// program's own command line, rebuilds the Win32 command line from the
// arguments and hands over to WinMain.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/SaverContext.h"
#include "platform/x11/display.h"
#include "platform/x11/end_signals.h"
#include "platform/x11/frame_rate.h"
#include "platform/x11/host_arguments.h"
#include "platform/x11/process.h"
#include "platform/x11/run_values.h"
#include "platform/x11/usage.h"
#include "platform/x11/xscreensaver_list.h"

namespace {

// The command line for WinMain: "/p <decimal id>" for a window, "/s" for a
// full-screen run. False when nothing is to run (said on stdout or stderr).
bool TranslateHostArguments(const standin::HostArguments& host, std::vector<std::string>* arguments) {
    std::string why = host.reason;
    unsigned long window = 0;
    switch (host.kind) {
        case standin::HostArguments::NotHost:
            return true;
        case standin::HostArguments::Help:
            standin::PrintUsage();
            return false;
        case standin::HostArguments::Version:
            standin::PrintVersion();
            return false;
        case standin::HostArguments::Refused:
            std::fprintf(stderr, "orchardia: %s\n", why.c_str());
            return false;
        case standin::HostArguments::AddToList:
        case standin::HostArguments::RemoveFromList:
            return false;
        case standin::HostArguments::FullScreen:
            *arguments = {arguments->front(), "/s"};
            return true;
        case standin::HostArguments::Window:
        case standin::HostArguments::RootWindow:
            break;
    }
    if (!standin::ResolveHostWindow(host, &window, &why)) {
        std::fprintf(stderr, "orchardia: %s; nothing to draw into.\n", why.c_str());
        return false;
    }
    *arguments = {arguments->front(), "/p", std::to_string(window)};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    standin::InstallEndSignals();       // a daemon may stop the saver at any moment after starting it,
    standin::WatchConnection(nullptr);  // and the server may go at any moment: every connection ends quietly
    std::vector<std::string> arguments(argv, argv + argc);
    if (arguments.empty()) arguments.push_back("orchardia");
    standin::HostArguments host = standin::ReadHostArguments(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (host.kind == standin::HostArguments::AddToList || host.kind == standin::HostArguments::RemoveFromList)
        return standin::EditXscreensaverList(host.kind == standin::HostArguments::AddToList) ? 0 : 1;
    if (!TranslateHostArguments(host, &arguments)) return 0;
    if (host.kind != standin::HostArguments::NotHost) {
        // Under a host the host's options decide, whatever the settings file says.
        standin::SetRunOnlyDword(kProgramKey, "UseMirrors", host.mirrors ? 1 : 0);
        if (host.fps) standin::ShowFrameRate();
    }
    standin::SetCommandLine(arguments);
    return WinMain(standin::ModuleInstance(), nullptr, standin::CommandTail(), SW_SHOWDEFAULT);
}
