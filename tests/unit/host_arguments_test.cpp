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
};

TEST(HostArgumentsTest, TranslatesDaemonConventions) {
    const HostCase cases[] = {
        {{"orchardia", "/s"}, nullptr, HostArguments::NotHost, 0},
        {{"orchardia"}, "0x1200007", HostArguments::NotHost, 0},
        {{"orchardia", "--root"}, "0x1200007", HostArguments::Window, 0x1200007},
        {{"orchardia", "-root"}, "0X1a", HostArguments::Window, 0x1a},
        {{"orchardia", "--root"}, "18874375", HostArguments::Window, 18874375},
        {{"orchardia", "--root"}, nullptr, HostArguments::RootWindow, 0},
        {{"orchardia", "--root"}, "", HostArguments::Refused, 0},
        {{"orchardia", "--root"}, "window", HostArguments::Refused, 0},
        {{"orchardia", "--root"}, "0x", HostArguments::Refused, 0},
        {{"orchardia", "--root"}, "0x123456789", HostArguments::Refused, 0},
        {{"orchardia", "--window-id", "0x3a00007"}, nullptr, HostArguments::Window, 0x3a00007},
        {{"orchardia", "-window-id", "61"}, nullptr, HostArguments::Window, 61},
        {{"orchardia", "--window-id"}, nullptr, HostArguments::Refused, 0},
        {{"orchardia", "--window-id", "0"}, nullptr, HostArguments::Refused, 0},
        {{"orchardia", "--window-id", "-5"}, nullptr, HostArguments::Refused, 0},
        {{"orchardia", "--window-id", "0xZZ"}, nullptr, HostArguments::Refused, 0},
        {{"orchardia", "--window-id", "12 "}, nullptr, HostArguments::Refused, 0},
    };
    for (const HostCase& c : cases) {
        HostArguments host = standin::ReadHostArguments(c.arguments, c.screensaverWindow);
        std::string label = c.arguments.back() + " / " + (c.screensaverWindow ? c.screensaverWindow : "(unset)");
        EXPECT_EQ(host.kind, c.kind) << label;
        EXPECT_EQ(host.window, c.window) << label;
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
