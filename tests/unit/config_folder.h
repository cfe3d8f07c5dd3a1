// A private XDG_CONFIG_HOME for one test, with helpers for the user.reg file
// in it; removed with everything in it afterwards. SetDword stores a value
// the way the program does.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/x11/win32.h"

class ConfigFolder {
public:
    ConfigFolder() {
        std::string base = std::filesystem::temp_directory_path() / "orchardia-test-XXXXXX";
        root_ = mkdtemp(&base[0]) != nullptr ? base : "";
        setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
    }
    ~ConfigFolder() {
        unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ConfigFolder(const ConfigFolder&) = delete;
    ConfigFolder& operator=(const ConfigFolder&) = delete;

    std::string Root() const { return root_; }
    std::string Folder() const { return root_ + "/orchardia"; }
    std::string File() const { return Folder() + "/user.reg"; }

    void Write(const std::string& bytes) const {
        std::filesystem::create_directories(Folder());
        std::ofstream(File(), std::ios::binary) << bytes;
    }

    // The file's bytes; empty when it is missing or not a regular file.
    std::string Read() const {
        if (!std::filesystem::is_regular_file(File())) return "";
        std::ifstream in(File(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    // The names in the settings folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(Folder(), ignored))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string root_;
};

inline LSTATUS SetDword(const char* key, const char* name, DWORD value) {
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                     nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
    return status;
}
