#include <gtest/gtest.h>

#include "platform/x11/host_arguments.h"
#include "platform/x11/process.h"

namespace {

using standin::HostArguments;

struct HostCase {
    std::vector<std::string> arguments;
    const char* screensaverWindow;  // null: unset
    HostArguments::Kind kind;
    unsigned long window;
    int mirrors;
};

TEST(HostArgumentsTest, TranslatesDaemonConventions) {
    const auto Host = HostArguments::NotHost, Window = HostArguments::Window, Root = HostArguments::RootWindow,
               No = HostArguments::Refused, Full = HostArguments::FullScreen, Help = HostArguments::Help,
               Version = HostArguments::Version;
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
        // Mirrors for the run: the last one wins; alone they make a full-screen run.
        {{"orchardia", "--no-mirrors", "-root"}, "0x1200007", Window, 0x1200007, 0},
        {{"orchardia", "--root", "--mirrors"}, nullptr, Root, 0, 1},
        {{"orchardia", "--mirrors", "--window-id", "7", "-no-mirrors"}, nullptr, Window, 7, 0},
        {{"orchardia", "-no-mirrors", "--mirrors"}, nullptr, Full, 0, 1},
        {{"orchardia", "--no-mirrors"}, nullptr, Full, 0, 0},
        {{"orchardia", "-mirrors", "--no-mirrors", "--no-mirrors"}, nullptr, Full, 0, 0},
        // Nothing runs on a line the options do not explain.
        {{"orchardia", "--no-mirrors", "/s"}, nullptr, No, 0, -1},
        {{"orchardia", "--root", "/p", "12"}, "0x1200007", No, 0, -1},
        {{"orchardia", "--root", "--window-id", "7"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "7", "-root"}, nullptr, No, 0, -1},
        {{"orchardia", "--settings"}, nullptr, No, 0, -1},
        {{"orchardia", "--mirrors", "--root", "--colour"}, nullptr, No, 0, -1},
        {{"orchardia", "--window-id", "--no-mirrors"}, nullptr, No, 0, -1},
        // --help and --version answer whatever else is on the line.
        {{"orchardia", "--help"}, nullptr, Help, 0, -1},
        {{"orchardia", "-h"}, nullptr, Help, 0, -1},
        {{"orchardia", "--root", "/s", "--help"}, nullptr, Help, 0, -1},
        {{"orchardia", "--version"}, nullptr, Version, 0, -1},
        {{"orchardia", "--bogus", "--version"}, nullptr, Version, 0, -1},
    };
    for (const HostCase& c : cases) {
        HostArguments host = standin::ReadHostArguments(c.arguments, c.screensaverWindow);
        std::string label;
        for (size_t i = 1; i < c.arguments.size(); ++i) label += c.arguments[i] + " ";
        label += std::string("/ ") + (c.screensaverWindow ? c.screensaverWindow : "(unset)");
        EXPECT_EQ(host.kind, c.kind) << label;
        EXPECT_EQ(host.window, c.window) << label;
        EXPECT_EQ(host.mirrors, c.mirrors) << label;
        EXPECT_EQ(host.kind == HostArguments::Refused, !host.reason.empty()) << label;
    }
}

TEST(CommandLineTest, RebuildsTheWin32CommandLine) {
    standin::SetCommandLine({"/opt/My Savers/orchardia", "/p", "1234", "two words"});
    EXPECT_STREQ(GetCommandLineA(), "\"/opt/My Savers/orchardia\" /p 1234 \"two words\"");
    EXPECT_STREQ(standin::CommandTail(), "/p 1234 \"two words\"");
    standin::SetCommandLine({"orchardia"});
    EXPECT_STREQ(GetCommandLineA(), "orchardia");
    EXPECT_STREQ(standin::CommandTail(), "");
}

}  // namespace
