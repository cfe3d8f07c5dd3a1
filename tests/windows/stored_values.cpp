// The Windows store: the real registry under HKEY_CURRENT_USER (the test prefix's).
#include "tests/portable/stored_values.h"

#include <gtest/gtest.h>

namespace {

void Store(const StoredValue& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, value.key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, value.name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace

void ReplaceStoredValues(const std::vector<StoredValue>& values) {
    for (const char* key : {"Software\\Kelvra\\Quillon Saver", "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers",
                            "Software\\Other"})
        RegDeleteKeyA(HKEY_CURRENT_USER, key);
    for (const StoredValue& value : values) Store(value);
}
