// Settings files that once made a write of "UseMirrors" change something
// else: every other value must read the same after the write as before it.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "app/SaverContext.h"
#include "tests/unit/config_folder.h"

namespace {

const std::string kSystem =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers]\r\n";

struct OpenListCase {
    const char* what;
    std::string file;
};

void PrintTo(const OpenListCase& c, std::ostream* out) {
    *out << c.what;
}

class OpenListTest : public testing::TestWithParam<OpenListCase> {
protected:
    ConfigFolder folder;
};

// A hex list whose continuation runs into the end of the file reads as
// nothing. Appending the program's key must not complete it: a blank line
// after it would, and the grace period would change from 15 s to 5 s.
TEST_P(OpenListTest, AppendingTheProgramKeyLeavesItCutOff) {
    folder.Write(GetParam().file);
    SaverContext context;
    context.ReadSystemSaverSettings();
    context.ReadSaverSettings();
    ASSERT_EQ(context.passwordDelay, 15u);
    context.useMirrors = 0;
    context.WriteSaverSettings();

    SaverContext reread;
    reread.ReadSystemSaverSettings();
    reread.ReadSaverSettings();
    EXPECT_EQ(reread.passwordDelay, 15u) << folder.Read();
    EXPECT_EQ(reread.useMirrors, 0u) << folder.Read();
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenListTest,
    testing::Values(OpenListCase{"with a final line end", kSystem + "\"Password Delay\"=hex:05,00,\\\r\n"},
                    OpenListCase{"without one", kSystem + "\"Password Delay\"=hex:05,00,\\"},
                    OpenListCase{"after a continued line", kSystem + "\"Password Delay\"=hex:05,\\\r\n  00,\\ \t\r\n"},
                    OpenListCase{"LF only", "Windows Registry Editor Version 5.00\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion"
                                            "\\Screen Savers]\n\"Password Delay\"=hex:05,00,\\\n"}),
    [](const testing::TestParamInfo<OpenListCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

}  // namespace
