#include <gtest/gtest.h>

#include "app/CommandLine.h"
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

struct RebuiltCase {
    std::vector<std::string> arguments;
    const char* commandLine;  // as Windows' command-line rules write it
    size_t tailOffset;        // where the arguments after the program name start
    SaverMode mode;           // as the program's own parse reads the line back
    intptr_t window;
};

HWND NoForegroundWindow() {
    return nullptr;
}

TEST(CommandLineTest, RebuildsTheWin32CommandLine) {
    const RebuiltCase cases[] = {
        {{"orchardia"}, "orchardia", 9, ModeConfigure, 0},
        {{""}, "\"\"", 2, ModeConfigure, 0},
        {{"/opt/My Savers/orchardia", "/p", "1234", "two words"},
         "\"/opt/My Savers/orchardia\" /p 1234 \"two words\"", 27, ModePreview, 1234},
        {{"/opt/My \"Savers\"/orchardia", "/s"}, "\"/opt/My Savers/orchardia\" /s", 27, ModeSaver, 0},
        {{"/opt/a\"b/orchardia", "/p", "7"}, "/opt/a\"b/orchardia /p 7", 19, ModePreview, 7},
        {{"\"x/orchardia", "/s"}, "\"x/orchardia\" /s", 14, ModeSaver, 0},
        {{"orchardia", "/c", "", "a\\b\\", "say \"hi\"", "C:\\my dir\\", "\\\\\""},
         "orchardia /c \"\" a\\b\\ \"say \\\"hi\\\"\" \"C:\\my dir\\\\\" \"\\\\\\\\\\\"\"", 10, ModeConfigure, 0},
    };
    for (const RebuiltCase& c : cases) {
        standin::SetCommandLine(c.arguments);
        EXPECT_STREQ(GetCommandLineA(), c.commandLine);
        EXPECT_STREQ(standin::CommandTail(), c.commandLine + c.tailOffset);
        ParsedCommandLine parsed = ParseCommandLine(GetCommandLineA(), NoForegroundWindow);
        EXPECT_EQ(parsed.mode, c.mode) << c.commandLine;
        EXPECT_EQ(reinterpret_cast<intptr_t>(parsed.window), c.window) << c.commandLine;
    }
}

}  // namespace
