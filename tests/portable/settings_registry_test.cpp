// The settings record against the platform's own store: what it reads from
// values of every stored form, and its write, a DWORD that leaves its
// neighbours be. Built for both platforms, so the real registry (under Wine)
// and the Linux stand-in's file answer alike. Writes under HKEY_CURRENT_USER,
// so it runs only in a private store (the test prefix, or a settings folder).
#include <gtest/gtest.h>

#include <string>

#include "app/SaverContext.h"
#include "tests/portable/stored_values.h"

namespace {

const char kScreenSavers[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char kProgram[] = "Software\\Kelvra\\Quillon Saver";

std::vector<BYTE> Text(const std::string& text) {
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

StoredValue Mirrors(DWORD type, std::vector<BYTE> data) {
    return {kProgram, "UseMirrors", type, std::move(data)};
}

// All three settings stored as the same 4-byte REG_DWORD.
std::vector<StoredValue> AllThree(std::vector<BYTE> data) {
    return {Mirrors(REG_DWORD, data), {kScreenSavers, "Password Delay", REG_DWORD, data},
            {kScreenSavers, "Mouse Threshold", REG_DWORD, data}};
}

struct StoredCase {
    const char* what;
    std::vector<StoredValue> values;
    DWORD passwordDelay;
    LONG mouseThreshold;
    DWORD useMirrors;
};

TEST(StoredForms, ReadsWhatFitsInFourBytes) {
    const StoredCase cases[] = {
        {"nothing stored", {}, 15, 50, 1},
        {"another key's value", {{"Software\\Other", "UseMirrors", REG_DWORD, {0, 0, 0, 0}}}, 15, 50, 1},
        {"key without the value", {{kProgram, "Other", REG_DWORD, {0, 0, 0, 0}}}, 15, 50, 1},
        {"zeros", AllThree({0, 0, 0, 0}), 0, 0, 0},
        {"a 2 stays 2", AllThree({2, 0, 0, 0}), 2, 2, 2},
        {"all bits set", AllThree({0xff, 0xff, 0xff, 0xff}), 0xffffffffu, -1, 0xffffffffu},
        {"one byte, zero-filled", {Mirrors(REG_BINARY, {5})}, 15, 50, 5},
        {"three bytes, zero-filled", {Mirrors(REG_DWORD, {1, 2, 3})}, 15, 50, 0x030201},
        {"no bytes", {Mirrors(REG_NONE, {})}, 15, 50, 0},
        {"short string, as its bytes", {Mirrors(REG_SZ, Text("0"))}, 15, 50, 0x30},
        {"five bytes ignored", {Mirrors(REG_BINARY, {0, 0, 0, 0, 0})}, 15, 50, 1},
        {"long string ignored", {Mirrors(REG_SZ, Text("four"))}, 15, 50, 1},
        {"system values too long",
         {{kScreenSavers, "Password Delay", REG_SZ, Text("seconds")},
          {kScreenSavers, "Mouse Threshold", REG_QWORD, {0, 0, 0, 0, 0, 0, 0, 0}}},
         15, 50, 1},
    };
    for (const StoredCase& stored : cases) {
        SCOPED_TRACE(stored.what);
        ReplaceStoredValues(stored.values);
        const Settings settings = ReadSettings();
        EXPECT_EQ(settings.passwordDelay, stored.passwordDelay);
        EXPECT_EQ(settings.mouseThreshold, stored.mouseThreshold);
        EXPECT_EQ(settings.useMirrors, stored.useMirrors);
    }
    ReplaceStoredValues({});
}

TEST(StoredForms, WrittenSettingIsADwordThatReadsBackBesideItsNeighbour) {
    ReplaceStoredValues({{kProgram, "Neighbour", REG_DWORD, {42, 0, 0, 0}}});
    for (DWORD mirrors : {0u, 1u}) {
        SaverContext writer;
        writer.useMirrors = mirrors;
        EXPECT_EQ(writer.WriteSaverSettings(), ERROR_SUCCESS);

        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProgram, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        DWORD type = 0, stored = 99, size = sizeof(stored), neighbour = 0, neighbourSize = sizeof(neighbour);
        EXPECT_EQ(RegQueryValueExA(key, "UseMirrors", nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegQueryValueExA(key, "Neighbour", nullptr, nullptr, reinterpret_cast<BYTE*>(&neighbour),
                                   &neighbourSize),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(stored, mirrors);
        EXPECT_EQ(neighbour, 42u);

        EXPECT_EQ(ReadSettings().useMirrors, mirrors);
    }
    ReplaceStoredValues({});
}

}  // namespace
