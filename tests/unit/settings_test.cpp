#include <gtest/gtest.h>

#include "app/SaverContext.h"
#include "platform/x11/settings/run_values.h"
#include "platform/x11/testing.h"
#include "tests/portable/stored_values.h"
#include "tests/unit/config_folder.h"

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kProgram = "[HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver]\r\n";
const std::string kSystem = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers]\r\n";

void WriteMirrors(DWORD useMirrors) {
    SaverContext context;
    context.useMirrors = useMirrors;
    context.WriteSaverSettings();
}

std::string Mirrors(const std::string& data) {
    return kHeader + kProgram + "\"UseMirrors\"=" + data + "\r\n";
}

struct WarningCase {
    const char* what;
    std::string file;
    Settings expected;
    std::vector<std::string> warnings;  // what each line on stderr holds after the file's path
};

// What the file itself holds, as a user may write it; hand-edited mistakes in a
// key the program reads get one line each, with the line number; the rest of
// the file still counts, and reading changes nothing. (The stored forms of
// the values: tests/portable/settings_registry_test.cpp, on both platforms.)
TEST(SettingsFileTest, ReadsWhatItCanAndNamesEachLineItCannotUse) {
    const std::string system = kSystem + "\"Password Delay\"=dword:0000003c\r\n";
    const WarningCase cases[] = {
        {"clean", kHeader + kProgram + "\"UseMirrors\"=dword:0\r\n; fine\r\n\r\n", {15, 50, 0}, {}},
        {"hand-written, all three",
         "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver]\n"
         "  \"UseMirrors\" = dword:0\n\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
         "Screen Savers]\n\"Mouse Threshold\"=dword:0000000a\n\"Password Delay\"=dword:3c",
         {60, 10, 0}, {}},
        {"no dword:", Mirrors("0"), {15, 50, 1}, {":4: expected \"UseMirrors\"=dword:"}},
        {"bad digit", Mirrors("dword:0000000g ; off"), {15, 50, 1}, {":4: expected \"UseMirrors\"=dword:"}},
        {"no quotes", kHeader + kProgram + "UseMirrors=0\r\n", {15, 50, 1}, {":4: expected \"name\"=value"}},
        {"the last readable line counts",
         kHeader + kProgram + "\"UseMirrors\"=dword:0\r\n\"UseMirrors\"=dword:x\r\n", {15, 50, 0},
         {":5: expected \"UseMirrors\"=dword:"}},
        {"the system key too", kHeader + system + "\"Mouse Threshold\"=12\r\n" + kProgram, {60, 50, 1},
         {":5: expected \"Mouse Threshold\"=dword:"}},
        {"keys not read are not checked", kHeader + "[HKEY_CURRENT_USER\\Software\\Other]\r\nnonsense\r\n", {15, 50, 1},
         {}},
        {"no header: said once", kProgram + "\"UseMirrors\"=dword:0\r\n", {15, 50, 1},
         {" not read: its first line is not \"Windows Registry Editor Version 5.00\"; the defaults stand"}},
    };
    for (const WarningCase& c : cases) {
        ConfigFolder folder;
        folder.Write(c.file);
        testing::internal::CaptureStderr();
        const Settings settings = ReadSettings();
        EXPECT_EQ(settings.passwordDelay, c.expected.passwordDelay) << c.what;
        EXPECT_EQ(settings.mouseThreshold, c.expected.mouseThreshold) << c.what;
        EXPECT_EQ(settings.useMirrors, c.expected.useMirrors) << c.what;
        std::istringstream said(testing::internal::GetCapturedStderr());
        std::vector<std::string> lines;
        for (std::string line; std::getline(said, line);) lines.push_back(line);
        ASSERT_EQ(lines.size(), c.warnings.size()) << c.what << ": " << said.str();
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_NE(lines[i].find(folder.File() + c.warnings[i]), std::string::npos) << c.what << ": " << lines[i];
        EXPECT_EQ(folder.Read(), c.file) << c.what;
    }
}

class SettingsStoreTest : public testing::Test {
protected:
    void TearDown() override {
        standin::FailRegistryWriteAt(standin::RegistryWriteStage::Never);
        standin::ClearRunOnlyValues();
    }
    ConfigFolder folder;
};

// A write that fails says which call failed, and FormatMessageA gives the file
// and the reason; the old setting stays. Without a key, creating it fails first.
TEST_F(SettingsStoreTest, FailedWriteKeepsOldSettingAndSaysWhy) {
    for (bool keyExists : {true, false}) {
        if (keyExists) WriteMirrors(0);
        const std::string before = folder.Read();
        standin::FailRegistryWriteAt(standin::RegistryWriteStage::Rename);
        SaverContext context;
        context.useMirrors = 1;
        const char* failedStep = "";
        testing::internal::CaptureStderr();
        EXPECT_EQ(context.WriteSaverSettings(&failedStep), ERROR_REGISTRY_IO_FAILED);
        testing::internal::GetCapturedStderr();
        EXPECT_STREQ(failedStep, keyExists ? "set the value UseMirrors"
                                           : "create the key HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver");
        char text[512] = "";
        DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      ERROR_REGISTRY_IO_FAILED, 0, text, sizeof(text), nullptr);
        EXPECT_EQ(std::string(text, length).rfind(folder.File() + ": ", 0), 0u) << text;
        EXPECT_EQ(folder.Read(), before);
        standin::FailRegistryWriteAt(standin::RegistryWriteStage::Never);
        EXPECT_EQ(ReadSettings().useMirrors, keyExists ? 0u : 1u);
        std::filesystem::remove(folder.File());
    }
}

// --mirrors/--no-mirrors: the run sees the value whatever the file holds (no
// file, another value, a file it cannot parse), and the file never changes.
TEST_F(SettingsStoreTest, RunOnlyValueWinsAndIsNeverWritten) {
    const std::string files[] = {"", Mirrors("dword:00000001"), "UseMirrors=1\n"};
    standin::SetRunOnlyDword(kProgramKey, "UseMirrors", 0);
    for (const std::string& file : files) {
        if (!file.empty()) folder.Write(file);
        testing::internal::CaptureStderr();
        EXPECT_EQ(ReadSettings().useMirrors, 0u) << file;
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(folder.Read(), file);
    }
}

}  // namespace
