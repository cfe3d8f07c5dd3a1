#include <gtest/gtest.h>

#include "app/SaverContext.h"
#include "platform/x11/run_values.h"
#include "platform/x11/testing.h"
#include "tests/unit/config_folder.h"

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kProgram = "[HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver]\r\n";
const std::string kSystem = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers]\r\n";

struct Settings {
    DWORD passwordDelay;
    LONG mouseThreshold;
    DWORD useMirrors;
};

// A fresh context filled the way WinMain fills it, over a context that held other values.
Settings ReadSettings() {
    SaverContext context;
    context.passwordDelay = 99;
    context.mouseThreshold = 99;
    context.useMirrors = 99;
    context.checkingPassword = 1;
    context.ReadSystemSaverSettings();
    context.ReadSaverSettings();
    EXPECT_EQ(context.checkingPassword, 0);
    return {context.passwordDelay, context.mouseThreshold, context.useMirrors};
}

void WriteMirrors(DWORD useMirrors) {
    SaverContext context;
    context.useMirrors = useMirrors;
    context.WriteSaverSettings();
}

struct StoredCase {
    const char* what;
    std::string file;  // empty: no file at all
    Settings expected;
};

class StoredSettingsTest : public testing::TestWithParam<StoredCase> {
protected:
    ConfigFolder folder;
};

TEST_P(StoredSettingsTest, ReadsWhatFitsInFourBytes) {
    const StoredCase& c = GetParam();
    if (!c.file.empty()) folder.Write(c.file);
    Settings settings = ReadSettings();
    EXPECT_EQ(settings.passwordDelay, c.expected.passwordDelay) << c.what;
    EXPECT_EQ(settings.mouseThreshold, c.expected.mouseThreshold) << c.what;
    EXPECT_EQ(settings.useMirrors, c.expected.useMirrors) << c.what;
}

std::string Mirrors(const std::string& data) {
    return kHeader + kProgram + "\"UseMirrors\"=" + data + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoredSettingsTest,
    testing::Values(
        StoredCase{"no file", "", {15, 50, 1}},
        StoredCase{"no keys", kHeader + "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"UseMirrors\"=dword:0\r\n", {15, 50, 1}},
        StoredCase{"key without the value", kHeader + kProgram, {15, 50, 1}},
        StoredCase{"mirrors off", Mirrors("dword:00000000"), {15, 50, 0}},
        StoredCase{"a 2 stays 2", Mirrors("dword:00000002"), {15, 50, 2}},
        StoredCase{"one byte, zero-filled", Mirrors("hex:05"), {15, 50, 5}},
        StoredCase{"three bytes, zero-filled", Mirrors("hex(4):01,02,03"), {15, 50, 0x030201}},
        StoredCase{"no bytes", Mirrors("hex(0):"), {15, 50, 0}},
        StoredCase{"short string, as its bytes", Mirrors("\"0\""), {15, 50, 0x30}},
        StoredCase{"five bytes ignored", Mirrors("hex:00,00,00,00,00"), {15, 50, 1}},
        StoredCase{"long string ignored", Mirrors("\"four\""), {15, 50, 1}},
        StoredCase{"unparseable file", "UseMirrors=0\n", {15, 50, 1}},
        StoredCase{"system values",
                   kHeader + kSystem + "\"Password Delay\"=dword:0\r\n\"Mouse Threshold\"=dword:ffffffff\r\n",
                   {0, -1, 1}},
        StoredCase{"system values too long",
                   kHeader + kSystem + "\"Password Delay\"=\"seconds\"\r\n\"Mouse Threshold\"=hex(b):0,0,0,0,0,0,0,0\r\n",
                   {15, 50, 1}},
        StoredCase{"hand-written, all three",
                   "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CURRENT_USER\\Software\\Kelvra\\Quillon Saver]\n"
                   "  \"UseMirrors\" = dword:0\n\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                   "Screen Savers]\n\"Mouse Threshold\"=dword:0000000a\n\"Password Delay\"=dword:3c",
                   {60, 10, 0}}));

class SettingsStoreTest : public testing::Test {
protected:
    void TearDown() override { standin::FailRegistryWriteAt(standin::RegistryWriteStage::Never); }
    ConfigFolder folder;
};

TEST_F(SettingsStoreTest, RoundTripsThroughTheFile) {
    for (DWORD value : {0u, 1u, 0u}) {
        WriteMirrors(value);
        EXPECT_EQ(ReadSettings().useMirrors, value);
    }
    EXPECT_EQ(folder.Read(), kHeader + kProgram + "\"UseMirrors\"=dword:00000000\r\n\r\n");
}

TEST_F(SettingsStoreTest, KeepsOtherKeysAndCommentsByteForByte) {
    const std::string before = "Windows Registry Editor Version 5.00\n\n; my settings\n" + kSystem +
                               "\"Password Delay\"=dword:0000003c\n\"Wallpaper\"=\"C:\\\\w.bmp\"\n\n" + kProgram +
                               "\"Other\"=hex:01,02,\\\n  03\n\"UseMirrors\"=dword:00000001\n; end\n";
    folder.Write(before);
    WriteMirrors(0);
    std::string expected = before;
    expected.replace(expected.find("\"UseMirrors\"=dword:00000001"), 27, "\"UseMirrors\"=dword:00000000");
    EXPECT_EQ(folder.Read(), expected);
    EXPECT_EQ(ReadSettings().passwordDelay, 60u);
}

TEST_F(SettingsStoreTest, FailedWriteKeepsOldSetting) {
    WriteMirrors(0);
    const std::string before = folder.Read();
    standin::FailRegistryWriteAt(standin::RegistryWriteStage::Rename);
    testing::internal::CaptureStderr();
    WriteMirrors(1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(folder.Read(), before);
    EXPECT_EQ(ReadSettings().useMirrors, 0u);
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
