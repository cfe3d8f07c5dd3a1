// The process entry on Linux: answers --help and --version, edits
// xscreensaver's list, turns a screen-saver daemon's conventions and --window
// into the program's own command line, rebuilds the Win32 command line from the
// arguments and hands over to WinMain. The Windows switches always exit 0, the
// Linux options 1 when they are refused or their run cannot start.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/SaverContext.h"
#include "platform/x11/display.h"
#include "platform/x11/end_signals.h"
#include "platform/x11/gl/frame_rate.h"
#include "platform/x11/host/host_arguments.h"
#include "platform/x11/window/own_window.h"
#include "platform/x11/process.h"
#include "platform/x11/window/root_window.h"
#include "platform/x11/settings/run_values.h"
#include "platform/x11/host/usage.h"
#include "platform/x11/host/xscreensaver_list.h"

namespace {

const int kRun = -1;  // TranslateHostArguments: go on to WinMain

// The command line for WinMain: "/p <decimal id>" for a window, "/s" for a
// full-screen run; then kRun. Otherwise the exit code, nothing being to run
// (said on stdout or stderr): 0 for --help and --version, 1 for a refusal.
int TranslateHostArguments(const standin::HostArguments& host, std::vector<std::string>* arguments) {
    std::string why = host.reason;
    unsigned long window = 0;
    switch (host.kind) {
        case standin::HostArguments::NotHost:
            return kRun;
        case standin::HostArguments::Help:
            standin::PrintUsage();
            return 0;
        case standin::HostArguments::Version:
            standin::PrintVersion();
            return 0;
        case standin::HostArguments::Refused:
            std::fprintf(stderr, "orchardia: %s\n", why.c_str());
            return 1;
        case standin::HostArguments::AddToList:
        case standin::HostArguments::RemoveFromList:
            return standin::EditXscreensaverList(host.kind == standin::HostArguments::AddToList) ? 0 : 1;
        case standin::HostArguments::FullScreen:
            *arguments = {arguments->front(), "/s"};
            return kRun;
        case standin::HostArguments::OwnWindow:
            window = standin::OpenOwnWindow(host.width, host.height);
            if (window == 0) return 1;
            *arguments = {arguments->front(), "/p", std::to_string(window)};
            return kRun;
        case standin::HostArguments::RootWindow:
            standin::DrawOnRootWindow();
            break;
        case standin::HostArguments::Window:
            break;
    }
    if (!standin::ResolveHostWindow(host, &window, &why)) {
        std::fprintf(stderr, "orchardia: %s; nothing to draw into.\n", why.c_str());
        return 1;
    }
    *arguments = {arguments->front(), "/p", std::to_string(window)};
    return kRun;
}

}  // namespace

int main(int argc, char** argv) {
    standin::InstallEndSignals();       // a daemon may stop the saver at any moment after starting it,
    standin::WatchConnection(nullptr);  // and the server may go at any moment: every connection ends quietly
    std::vector<std::string> arguments(argv, argv + argc);
    if (arguments.empty()) arguments.push_back("orchardia");
    standin::HostArguments host = standin::ReadHostArguments(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (host.kind == standin::HostArguments::NotHost) {
        standin::SetCommandLine(arguments);
        return WinMain(standin::ModuleInstance(), nullptr, standin::CommandTail(), SW_SHOWDEFAULT);
    }
    // Under a Linux option a run that cannot start, or loses its display, fails.
    standin::FailOnConnectionLoss();
    int exitCode = TranslateHostArguments(host, &arguments);
    if (exitCode != kRun) return exitCode;
    // Under a host the host's options decide, whatever the settings file says.
    standin::SetRunOnlyDword(kProgramKey, "UseMirrors", host.mirrors ? 1 : 0);
    if (host.fps) standin::ShowFrameRate();
    standin::SetCommandLine(arguments);
    exitCode = WinMain(standin::ModuleInstance(), nullptr, standin::CommandTail(), SW_SHOWDEFAULT);
    if (standin::DisplayLost()) standin::ExitAfterLoss();
    return standin::RunFailed() ? 1 : exitCode;
}
