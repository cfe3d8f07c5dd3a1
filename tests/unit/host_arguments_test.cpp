#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/x11/host/host_arguments.h"

namespace {

using standin::HostArguments;

struct HostCase {
    std::vector<std::string> arguments;
    const char* screensaverWindow;  // null: unset
    HostArguments::Kind kind;
    unsigned long window;
    int mirrors;  // 1: --mirrors won, 0: --no-mirrors won, -1: neither given, so on
    bool fps = false;
    int width = 800, height = 600;  // pixels, for --window
};

TEST(HostArgumentsTest, TranslatesDaemonConventions) {
    const auto Host = HostArguments::NotHost, Window = HostArguments::Window, Root = HostArguments::RootWindow,
               No = HostArguments::Refused, Full = HostArguments::FullScreen, Help = HostArguments::Help,
               Version = HostArguments::Version, Add = HostArguments::AddToList,
               Remove = HostArguments::RemoveFromList, Own = HostArguments::OwnWindow;
    const HostCase cases[] = {
        {{"orchardia", "/s"}, nullptr, Host, 0, -1},
        {{"orchardia"}, "0x1200007", Host, 0, -1},
        {{"orchardia", "--root"}, "0x1200007", Window, 0x1200007, -1},
        {{"orchardia", "-root"}, "0X1a", Window, 0x1a, -1},
        {{"orchardia", "--root"}, "18874375", Window, 18874375, -1},
        {{"orchardia", "--root"}, nullptr, Root, 0, -1},
        {{"orchardia", "--root"}, "", No, 0, -1},
        {{"orchardia", "--root"}, "window", No, 0, -1},
        {{"orchardia", "--root"}, "0x", No, 0, -1},
        {{"orchardia", "--root"}, "0x123456789", No, 0, -1},
        {{"orchardia", "--window-id", "4294967295"}, nullptr, Window, 4294967295ul, -1},
        {{"orchardia", "--window-id", "4294967296"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "04294967295"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "0x3a00007"}, nullptr, Window, 0x3a00007, -1},
        {{"orchardia", "-window-id", "61"}, nullptr, Window, 61, -1},
        {{"orchardia", "--window-id"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "0"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "-5"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "0xZZ"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "12 "}, nullptr, No, 0, -1},
        // Host options count only at the start: the Windows switches keep their parse.
        {{"orchardia", "/s", "--root"}, "0x1200007", Host, 0, -1},
        {{"orchardia", "s", "--no-mirrors"}, nullptr, Host, 0, -1},
        {{"orchardia", "-s", "--help"}, nullptr, Host, 0, -1},
        {{"orchardia", "--"}, nullptr, Host, 0, -1},
        {{"orchardia", "-x"}, nullptr, Host, 0, -1},
        // Mirrors for the run: on unless --no-mirrors, the last one wins; alone
        // they make a full-screen run.
        {{"orchardia", "--no-mirrors", "-root"}, "0x1200007", Window, 0x1200007, 0},
        {{"orchardia", "--root", "--mirrors"}, nullptr, Root, 0, 1},
        {{"orchardia", "--mirrors", "--window-id", "7", "-no-mirrors"}, nullptr, Window, 7, 0},
        {{"orchardia", "-no-mirrors", "--mirrors"}, nullptr, Full, 0, 1},
        {{"orchardia", "--no-mirrors"}, nullptr, Full, 0, 0},
        {{"orchardia", "-mirrors", "--no-mirrors", "--no-mirrors"}, nullptr, Full, 0, 0},
        // A settings dialog appends --window-id to a command holding --root: the window id wins.
        {{"orchardia", "--root", "--window-id", "0x40012F"}, "0x40012F", Window, 0x40012f, -1},
        {{"orchardia", "--window-id", "7", "-root"}, "0x1200007", Window, 7, -1},
        {{"orchardia", "-root", "--window-id", "9", "-window-id", "8"}, nullptr, Window, 8, -1},
        {{"orchardia", "--root", "--window-id", "zz"}, "0x1200007", No, 0, -1},
        // The hacks' "Show frame rate", with one dash or two.
        {{"orchardia", "-fps"}, nullptr, Full, 0, -1, true},
        {{"orchardia", "--root", "--no-mirrors", "--fps"}, "0x1a", Window, 0x1a, 0, true},
        {{"orchardia", "--fps", "/s"}, nullptr, No, 0, -1},
        {{"orchardia", "-f"}, nullptr, Host, 0, -1},
        // The list commands, --help and --version stand alone, with one dash or two.
        {{"orchardia", "--add-to-xscreensaver"}, nullptr, Add, 0, -1},
        {{"orchardia", "-remove-from-xscreensaver"}, nullptr, Remove, 0, -1},
        {{"orchardia", "--add-to-xscreensaver", "--root"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "--remove-from-xscreensaver"}, nullptr, No, 0, -1},
        {{"orchardia", "-add-to-xscreensaver"}, nullptr, Add, 0, -1},
        {{"orchardia", "-help"}, nullptr, Help, 0, -1},
        {{"orchardia", "--h"}, nullptr, Help, 0, -1},
        {{"orchardia", "/version"}, nullptr, Host, 0, -1},  // a Windows switch, as /v
        {{"orchardia", "-version"}, nullptr, Version, 0, -1},
        {{"orchardia", "--help", "extra"}, nullptr, No, 0, -1},
        {{"orchardia", "--version", "--bogus"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "/s", "--help"}, nullptr, No, 0, -1},
        // A window of its own, 800x600 unless --geometry says otherwise.
        {{"orchardia", "--window"}, "0x1a", Own, 0, -1},
        {{"orchardia", "-geometry", "320X2", "--no-mirrors", "-window"}, nullptr, Own, 0, 0, false, 320, 2},
        {{"orchardia", "--window", "--geometry", "32767x1", "--fps"}, nullptr, Own, 0, -1, true, 32767, 1},
        {{"orchardia", "--window", "--geometry", "32768x10"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "0x10"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "+8x600"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "4294967297x10"}, nullptr, No, 0, -1},  // 1 if read past int
        {{"orchardia", "--window", "--geometry", "10x"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry", "10x10+0+0"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--geometry"}, nullptr, No, 0, -1},
        {{"orchardia", "--geometry", "10x10"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "--window"}, nullptr, No, 0, -1},
        {{"orchardia", "--window", "--window-id", "7"}, nullptr, Window, 7, -1},
        // Nothing runs on a line the options do not explain.
        {{"orchardia", "--no-mirrors", "/s"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "/p", "12"}, "0x1200007", No, 0, -1},
        {{"orchardia", "--settings"}, nullptr, No, 0, -1},
        {{"orchardia", "--mirrors", "--root", "--colour"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "--no-mirrors"}, nullptr, No, 0, -1},
        {{"orchardia", "--help"}, nullptr, Help, 0, -1},
        {{"orchardia", "-h"}, nullptr, Help, 0, -1},
        {{"orchardia", "--version"}, nullptr, Version, 0, -1},
        {{"orchardia", "--bogus", "--version"}, nullptr, No, 0, -1},
    };
    for (const HostCase& c : cases) {
        HostArguments host = standin::ReadHostArguments(c.arguments, c.screensaverWindow);
        std::string label;
        for (size_t i = 1; i < c.arguments.size(); ++i) label += c.arguments[i] + " ";
        label += std::string("/ ") + (c.screensaverWindow ? c.screensaverWindow : "(unset)");
        EXPECT_EQ(host.kind, c.kind) << label;
        EXPECT_EQ(host.window, c.window) << label;
        EXPECT_EQ(host.mirrors, c.mirrors != 0) << label;
        EXPECT_EQ(host.fps, c.fps) << label;
        if (c.kind == Own) {
            EXPECT_EQ(host.width, c.width) << label;
            EXPECT_EQ(host.height, c.height) << label;
        }
        EXPECT_EQ(host.kind == HostArguments::Refused, !host.reason.empty()) << label;
    }
}

}  // namespace
