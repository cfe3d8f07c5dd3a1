// What the settings record reads from values of every stored form in the real
// registry. The cases and expectations are those the Linux stand-in's file
// store is held to (tests/unit/settings_test.cpp), written here with the
// registry calls, so both platforms read a stored value alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SaverContext.h"

namespace {

const char kScreenSavers[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char kProgram[] = "Software\\Kelvra\\Quillon Saver";

struct Value {
    const char* key;
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
};

struct StoredCase {
    const char* what;
    std::vector<Value> values;
    DWORD passwordDelay;
    LONG mouseThreshold;
    DWORD useMirrors;
};

std::vector<BYTE> Text(const std::string& text) {
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

Value Mirrors(DWORD type, std::vector<BYTE> data) {
    return {kProgram, "UseMirrors", type, std::move(data)};
}

void Remove(const char* keyName) {
    RegDeleteKeyA(HKEY_CURRENT_USER, keyName);
}

void Store(const Value& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, value.key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, value.name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(StoredForms, ReadsWhatFitsInFourBytes) {
    const StoredCase cases[] = {
        {"no keys", {}, 15, 50, 1},
        {"key without the value", {{kProgram, "Other", REG_DWORD, {0, 0, 0, 0}}}, 15, 50, 1},
        {"mirrors off", {Mirrors(REG_DWORD, {0, 0, 0, 0})}, 15, 50, 0},
        {"a 2 stays 2", {Mirrors(REG_DWORD, {2, 0, 0, 0})}, 15, 50, 2},
        {"one byte, zero-filled", {Mirrors(REG_BINARY, {5})}, 15, 50, 5},
        {"three bytes, zero-filled", {Mirrors(REG_DWORD, {1, 2, 3})}, 15, 50, 0x030201},
        {"no bytes", {Mirrors(REG_NONE, {})}, 15, 50, 0},
        {"short string, as its bytes", {Mirrors(REG_SZ, Text("0"))}, 15, 50, 0x30},
        {"five bytes ignored", {Mirrors(REG_BINARY, {0, 0, 0, 0, 0})}, 15, 50, 1},
        {"long string ignored", {Mirrors(REG_SZ, Text("four"))}, 15, 50, 1},
        {"system values",
         {{kScreenSavers, "Password Delay", REG_DWORD, {0, 0, 0, 0}},
          {kScreenSavers, "Mouse Threshold", REG_DWORD, {0xff, 0xff, 0xff, 0xff}}},
         0, -1, 1},
        {"system values too long",
         {{kScreenSavers, "Password Delay", REG_SZ, Text("seconds")},
          {kScreenSavers, "Mouse Threshold", REG_QWORD, {0, 0, 0, 0, 0, 0, 0, 0}}},
         15, 50, 1},
    };
    for (const StoredCase& stored : cases) {
        SCOPED_TRACE(stored.what);
        Remove(kProgram);
        Remove(kScreenSavers);
        for (const Value& value : stored.values) Store(value);
        SaverContext context;
        context.passwordDelay = 99;
        context.mouseThreshold = 99;
        context.useMirrors = 99;
        context.ReadSystemSaverSettings();
        context.ReadSaverSettings();
        EXPECT_EQ(context.passwordDelay, stored.passwordDelay);
        EXPECT_EQ(context.mouseThreshold, stored.mouseThreshold);
        EXPECT_EQ(context.useMirrors, stored.useMirrors);
    }
    Remove(kProgram);
    Remove(kScreenSavers);
}

}  // namespace
