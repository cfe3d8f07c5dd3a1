// The Linux store: user.reg written whole, each value in the form the
// registry editor exports for its type and size.
#include "tests/portable/stored_values.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/x11/settings/registry_file.h"

namespace {

std::string Form(const StoredValue& value) {
    if (value.type == REG_DWORD && value.data.size() == 4) {
        char digits[16];
        std::snprintf(digits, sizeof(digits), "dword:%02x%02x%02x%02x", value.data[3], value.data[2], value.data[1],
                      value.data[0]);
        return digits;
    }
    if (value.type == REG_SZ) return "\"" + std::string(value.data.begin(), value.data.end() - 1) + "\"";
    char prefix[16];
    std::snprintf(prefix, sizeof(prefix), value.type == REG_BINARY ? "hex:" : "hex(%lx):", (unsigned long)value.type);
    std::string form = prefix;
    for (size_t i = 0; i < value.data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof(byte), i == 0 ? "%02x" : ",%02x", value.data[i]);
        form += byte;
    }
    return form;
}

}  // namespace

void ReplaceStoredValues(const std::vector<StoredValue>& values) {
    const std::filesystem::path path = regfile::SettingsPath();
    std::filesystem::remove(path);
    if (values.empty()) return;
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (const StoredValue& value : values)
        text += "\r\n[HKEY_CURRENT_USER\\" + std::string(value.key) + "]\r\n\"" + value.name + "\"=" + Form(value) + "\r\n";
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}
