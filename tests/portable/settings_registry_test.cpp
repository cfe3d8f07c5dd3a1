// The settings record against the registry, as stored values of any type and
// size reach it. Built for both platforms: the same expectations hold for the
// real registry (under Wine) and for the Linux stand-in's file. Writes under
// HKEY_CURRENT_USER, so it runs only in a private store (the test prefix or
// the suite's own configuration folder).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/SaverContext.h"

namespace {

const char kScreenSavers[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char kProgram[] = "Software\\Kelvra\\Quillon Saver";

void Store(const char* keyName, const char* valueName, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, valueName, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    RegCloseKey(key);
}

std::vector<BYTE> Dword(DWORD value) {
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

std::vector<BYTE> Text(const std::string& text) {
    return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
}

// A stored value and what a 32-bit field reads from it: the value's type is not
// examined, shorter data fills the low bytes, data longer than 4 bytes is not read.
struct StoredValue {
    const char* what;
    DWORD type;
    std::vector<BYTE> data;
    bool read;
    DWORD expected;
};

const std::vector<StoredValue>& StoredValues() {
    static const std::vector<StoredValue> values = {
        {"dword 0", REG_DWORD, Dword(0), true, 0},
        {"dword 7", REG_DWORD, Dword(7), true, 7},
        {"dword all ones", REG_DWORD, Dword(0xffffffffu), true, 0xffffffffu},
        {"two binary bytes", REG_BINARY, {0x05, 0x01}, true, 0x0105},
        {"eight binary bytes", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}, false, 0},
        {"string \"1\"", REG_SZ, Text("1"), true, 0x31},
        {"string \"12345\"", REG_SZ, Text("12345"), false, 0},
    };
    return values;
}

TEST(SettingsRegistry, MirrorSettingReadsWhatIsStored) {
    for (const StoredValue& value : StoredValues()) {
        SCOPED_TRACE(value.what);
        Store(kProgram, "UseMirrors", value.type, value.data);
        SaverContext context;
        context.useMirrors = 99;
        context.ReadSaverSettings();
        EXPECT_EQ(context.useMirrors, value.read ? value.expected : 1u);
    }
}

TEST(SettingsRegistry, SystemSettingsReadWhatIsStored) {
    for (const StoredValue& value : StoredValues()) {
        SCOPED_TRACE(value.what);
        Store(kScreenSavers, "Password Delay", value.type, value.data);
        Store(kScreenSavers, "Mouse Threshold", value.type, value.data);
        SaverContext context;
        context.checkingPassword = 1;
        context.ReadSystemSaverSettings();
        EXPECT_EQ(context.passwordDelay, value.read ? value.expected : 15u);
        EXPECT_EQ(context.mouseThreshold, value.read ? static_cast<LONG>(value.expected) : 50);
        EXPECT_EQ(context.checkingPassword, 0);
    }
    Store(kScreenSavers, "Password Delay", REG_DWORD, Dword(15));
    Store(kScreenSavers, "Mouse Threshold", REG_DWORD, Dword(50));
}

TEST(SettingsRegistry, WrittenSettingIsADwordThatReadsBack) {
    for (DWORD mirrors : {0u, 1u}) {
        SaverContext writer;
        writer.useMirrors = mirrors;
        writer.WriteSaverSettings();

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
    Store(kProgram, "Neighbour", REG_SZ, Text("kept"));
    SaverContext writer;
    writer.useMirrors = 0;
    writer.WriteSaverSettings();

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProgram, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    char text[16] = {};
    DWORD type = 0, size = sizeof(text);
    EXPECT_EQ(RegQueryValueExA(key, "Neighbour", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "kept");
}

}  // namespace
