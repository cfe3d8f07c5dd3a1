#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "platform/x11/process.h"
#include "platform/x11/win32.h"

namespace {

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
