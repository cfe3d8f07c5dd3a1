// The settings record against the registry: stored DWORDs read back as they
// are, and the record's own write is a DWORD that leaves its neighbours be.
// Built for both platforms, so the real registry (under Wine) and the Linux
// stand-in's file answer alike. Writes under HKEY_CURRENT_USER, so it runs
// only in a private store (the test prefix, or a settings folder of its own).
#include <gtest/gtest.h>

#include "app/SaverContext.h"

namespace {

const char kScreenSavers[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char kProgram[] = "Software\\Kelvra\\Quillon Saver";

void Store(const char* keyName, const char* valueName, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// A stored DWORD and what the settings record reads from it (other stored forms
// are tested per platform: tests/unit/settings_test.cpp, tests/windows/).
struct StoredDword {
    DWORD stored;
    DWORD mirrors;
    DWORD passwordDelay;
    LONG mouseThreshold;
};

TEST(SettingsRegistry, ReadsTheStoredDwords) {
    const StoredDword values[] = {
        {0, 0, 0, 0},
        {2, 2, 2, 2},
        {0xffffffffu, 0xffffffffu, 0xffffffffu, -1},
    };
    for (const StoredDword& value : values) {
        SCOPED_TRACE(value.stored);
        Store(kProgram, "UseMirrors", value.stored);
        Store(kScreenSavers, "Password Delay", value.stored);
        Store(kScreenSavers, "Mouse Threshold", value.stored);
        SaverContext context;
        context.checkingPassword = 1;
        context.ReadSystemSaverSettings();
        context.ReadSaverSettings();
        EXPECT_EQ(context.useMirrors, value.mirrors);
        EXPECT_EQ(context.passwordDelay, value.passwordDelay);
        EXPECT_EQ(context.mouseThreshold, value.mouseThreshold);
        EXPECT_EQ(context.checkingPassword, 0);
    }
    Store(kScreenSavers, "Password Delay", 15);
    Store(kScreenSavers, "Mouse Threshold", 50);
}

TEST(SettingsRegistry, WrittenSettingIsADwordThatReadsBack) {
    for (DWORD mirrors : {0u, 1u}) {
        SaverContext writer;
        writer.useMirrors = mirrors;
        EXPECT_EQ(writer.WriteSaverSettings(), ERROR_SUCCESS);

        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProgram, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        DWORD type = 0, stored = 99, size = sizeof(stored);
        EXPECT_EQ(RegQueryValueExA(key, "UseMirrors", nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(stored, mirrors);

        SaverContext reader;
        reader.ReadSaverSettings();
        EXPECT_EQ(reader.useMirrors, mirrors);
    }
}

TEST(SettingsRegistry, WritingKeepsTheKeysOtherValues) {
    Store(kProgram, "Neighbour", 42);
    SaverContext writer;
    writer.useMirrors = 0;
    writer.WriteSaverSettings();

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProgram, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD neighbour = 0, size = sizeof(neighbour);
    EXPECT_EQ(RegQueryValueExA(key, "Neighbour", nullptr, nullptr, reinterpret_cast<BYTE*>(&neighbour), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(neighbour, 42u);
}

}  // namespace
