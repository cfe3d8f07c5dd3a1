#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "app/CommandLine.h"

namespace {

HWND Handle(intptr_t value) {
    return reinterpret_cast<HWND>(value);
}

HWND Foreground() {
    return Handle(4242);
}

struct ParseCase {
    const char* commandLine;
    SaverMode mode;
    intptr_t window;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << "[" << c.commandLine << "]";
}

class ParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, GivesModeAndWindow) {
    const ParseCase& c = GetParam();
    ParsedCommandLine parsed = ParseCommandLine(c.commandLine, Foreground);
    EXPECT_EQ(parsed.mode, c.mode) << c.commandLine;
    EXPECT_EQ(parsed.window, Handle(c.window)) << c.commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ParseTest,
    testing::Values(
        // Program name only: the dialog with no owner.
        ParseCase{"x.scr", ModeConfigure, 0}, ParseCase{"\"C:\\My Savers\\x.scr\"", ModeConfigure, 0},
        ParseCase{"x.scr   ", ModeConfigure, 0}, ParseCase{"", ModeConfigure, 0},
        // Full screen, however the program name and switch are written.
        ParseCase{"\"C:\\My Savers\\x.scr\" /s", ModeSaver, 0}, ParseCase{"\"C:\\My Savers\\x.scr\"/s", ModeSaver, 0},
        ParseCase{"x.scr -S", ModeSaver, 0}, ParseCase{"x.scr s", ModeSaver, 0}, ParseCase{"x.scr /s5", ModeSaver, 0},
        ParseCase{"x.scr     /s", ModeSaver, 0}, ParseCase{"x.scr /S 1234", ModeSaver, 0},
        // Preview, with every way of writing the handle.
        ParseCase{"x.scr /p 1234", ModePreview, 1234}, ParseCase{"x.scr /p:1234", ModePreview, 1234},
        ParseCase{"x.scr /P1234", ModePreview, 1234}, ParseCase{"x.scr /p : 1234", ModePreview, 1234},
        ParseCase{"x.scr /l 1234", ModePreview, 1234}, ParseCase{"x.scr -L::1234", ModePreview, 1234},
        ParseCase{"x.scr /p", ModePreview, 0}, ParseCase{"x.scr /p abc", ModePreview, 0},
        ParseCase{"x.scr /p 12ab", ModePreview, 12}, ParseCase{"x.scr /p -7", ModePreview, -7},
        ParseCase{"x.scr /p\t99", ModePreview, 99},
        // Configuration: the foreground window unless a handle follows.
        ParseCase{"x.scr /c", ModeConfigure, 4242}, ParseCase{"x.scr /C :: ", ModeConfigure, 4242},
        ParseCase{"x.scr /c:5678", ModeConfigure, 5678}, ParseCase{"x.scr /c:abc", ModeConfigure, 0},
        ParseCase{"x.scr -c 5678", ModeConfigure, 5678},
        // Password change.
        ParseCase{"x.scr /a 5678", ModeChangePassword, 5678}, ParseCase{"x.scr /a", ModeChangePassword, 0},
        ParseCase{"x.scr A:12", ModeChangePassword, 12},
        // Nothing to do.
        ParseCase{"x.scr /x", ModeNone, 0}, ParseCase{"x.scr /", ModeNone, 0}, ParseCase{"x.scr //s", ModeNone, 0},
        ParseCase{"x.scr foo", ModeNone, 0}, ParseCase{"x.scr -", ModeNone, 0}, ParseCase{"x.scr /-s", ModeNone, 0},
        // Only the space separates: a tab keeps the name going; an unclosed quote eats the line.
        ParseCase{"x.scr\t/s", ModeConfigure, 0}, ParseCase{"\"x.scr /s", ModeConfigure, 0},
        ParseCase{"x.scr \t/s", ModeNone, 0}));

TEST(ParseTest, HandlesOutOfRangeSaturate) {
    EXPECT_EQ(ParseCommandLine("x.scr /p 99999999999999999999", Foreground).window, Handle(INT_MAX));
    EXPECT_EQ(ParseCommandLine("x.scr /p -99999999999999999999", Foreground).window, Handle(INT_MIN));
    EXPECT_EQ(ParseCommandLine(nullptr, Foreground).mode, ModeConfigure);
}

TEST(ConvertDecimalTest, FollowsTheStandardConversion) {
    struct {
        const char* text;
        int value;
    } cases[] = {{"", 0},         {"abc", 0},      {"  \t42", 42},           {"+17x", 17},
                 {"-0", 0},       {"- 5", 0},      {"2147483647", INT_MAX},  {"2147483648", INT_MAX},
                 {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"00012", 12}};
    for (const auto& c : cases) EXPECT_EQ(ConvertDecimal(c.text), c.value) << c.text;
}

}  // namespace
