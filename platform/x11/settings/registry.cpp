// The registry calls over user.reg. Only keys below HKEY_CURRENT_USER exist.
// Opening a key reads the file then, warning about lines of the key it cannot
// use; queries answer from that reading, and every change is written to the
// file at once. Reading takes values of any type; writing takes the 4-byte
// REG_DWORD values the program stores. Values set for this run only
// (run_values.h) answer queries ahead of the file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "platform/x11/settings/registry_file.h"
#include "platform/x11/settings/registry_warnings.h"
#include "platform/x11/settings/run_values.h"
#include "platform/x11/testing.h"
#include "platform/x11/win32.h"

struct HKEY__ {
    std::string path;  // the file the key was read from
    std::string key;   // below HKEY_CURRENT_USER
    REGSAM access = 0;
    regfile::Document doc;
};

namespace {

constexpr REGSAM kKnownAccess = KEY_ALL_ACCESS;  // the standard rights and the six key rights
constexpr size_t kMaxNameLength = 255;           // of one key name

std::set<HKEY> openKeys;

// A programming error: says what was passed, and aborts.
[[noreturn]] void Unsupported(const char* call, const char* what, uintptr_t passed) {
    std::fprintf(stderr, "orchardia: %s: %s (0x%llx) is not supported on this platform\n", call, what,
                 static_cast<unsigned long long>(passed));
    std::abort();
}

void CheckOpenArguments(const char* call, HKEY parent, LPCSTR subKey, REGSAM access) {
    if (parent != HKEY_CURRENT_USER)
        Unsupported(call, "a parent key other than HKEY_CURRENT_USER", reinterpret_cast<uintptr_t>(parent));
    if (subKey == nullptr || subKey[0] == '\0')
        Unsupported(call, "an empty subkey, opening HKEY_CURRENT_USER itself", reinterpret_cast<uintptr_t>(subKey));
    if ((access & ~kKnownAccess) != 0) Unsupported(call, "an access mask beyond KEY_ALL_ACCESS", access);
}

// Key names between single backslashes (one may end the path), of 1 to 255
// characters, without control characters, which the file could not hold.
LSTATUS CheckSubKey(const std::string& subKey, std::string* key) {
    *key = subKey.back() == '\\' ? subKey.substr(0, subKey.size() - 1) : subKey;
    size_t length = 0;
    for (char c : *key + "\\") {
        if (static_cast<unsigned char>(c) < 0x20) return ERROR_INVALID_PARAMETER;
        if (c != '\\') {
            ++length;
            continue;
        }
        if (length == 0 || length > kMaxNameLength) return ERROR_BAD_PATHNAME;
        length = 0;
    }
    return ERROR_SUCCESS;
}

LSTATUS StatusOf(const regfile::LoadedFile& loaded) {
    switch (loaded.state) {
        case regfile::FileState::Ok:
            return ERROR_SUCCESS;
        case regfile::FileState::Missing:
            return ERROR_FILE_NOT_FOUND;
        case regfile::FileState::Unreadable:
            return ERROR_REGISTRY_IO_FAILED;
        case regfile::FileState::Unparseable:
            return ERROR_BADDB;
    }
    return ERROR_BADDB;
}

HKEY NewKey(const std::string& path, const std::string& key, REGSAM access, regfile::Document doc) {
    HKEY handle = new HKEY__{path, key, access, std::move(doc)};
    openKeys.insert(handle);
    return handle;
}

// A handle this stand-in gave out; HKEY_CURRENT_USER itself is not one.
LSTATUS CheckHandle(const char* call, HKEY key) {
    if (key == HKEY_CURRENT_USER) Unsupported(call, "HKEY_CURRENT_USER as the key", reinterpret_cast<uintptr_t>(key));
    return openKeys.count(key) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace

LSTATUS WINAPI RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    CheckOpenArguments("RegOpenKeyExA", parent, subKey, access);
    if (options != 0) Unsupported("RegOpenKeyExA", "an option other than 0", options);
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::string key;
    LSTATUS status = CheckSubKey(subKey, &key);
    if (status != ERROR_SUCCESS) return status;

    std::string path = regfile::SettingsPath();
    regfile::LoadedFile loaded = regfile::LoadRegistryFile(path);
    regfile::WarnAboutUnreadLines(path, loaded, key);
    status = StatusOf(loaded);
    if (status == ERROR_SUCCESS && !regfile::HasKey(loaded.doc, key)) status = ERROR_FILE_NOT_FOUND;
    if (status != ERROR_SUCCESS && standin::HasRunOnlyValues(key)) status = ERROR_SUCCESS;  // the file's values stay unread
    if (status == ERROR_SUCCESS) *result = NewKey(path, key, access, std::move(loaded.doc));
    return status;
}

LSTATUS WINAPI RegCreateKeyExA(HKEY parent, LPCSTR subKey, DWORD, LPSTR keyClass, DWORD options, REGSAM access,
                               LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
    CheckOpenArguments("RegCreateKeyExA", parent, subKey, access);
    if (keyClass != nullptr && keyClass[0] != '\0')
        Unsupported("RegCreateKeyExA", "a key class", reinterpret_cast<uintptr_t>(keyClass));
    if (options != REG_OPTION_NON_VOLATILE)
        Unsupported("RegCreateKeyExA", "an option other than REG_OPTION_NON_VOLATILE", options);
    if (security != nullptr)
        Unsupported("RegCreateKeyExA", "security attributes", reinterpret_cast<uintptr_t>(security));
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::string key;
    LSTATUS status = CheckSubKey(subKey, &key);
    if (status != ERROR_SUCCESS) return status;

    bool existed = false;
    auto addKey = [&](const regfile::Document& current) {
        existed = regfile::HasKey(current, key);
        return regfile::WithKey(current, key);
    };
    std::string path = regfile::SettingsPath();
    regfile::Document updated;
    status = regfile::UpdateRegistryFile(path, addKey, &updated);
    if (status != ERROR_SUCCESS) return status;
    *result = NewKey(path, key, access, std::move(updated));
    if (disposition != nullptr) *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD dataSize) {
    LSTATUS status = CheckHandle("RegQueryValueExA", key);
    if (status != ERROR_SUCCESS) return status;
    if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) return ERROR_INVALID_PARAMETER;
    if ((key->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    std::string name = valueName != nullptr ? valueName : "";
    const regfile::Value* value = standin::FindRunOnlyValue(key->key, name);
    if (value == nullptr) value = regfile::FindValue(key->doc, key->key, name);
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;

    const std::string& bytes = value->data;
    if (type != nullptr) *type = value->type;
    if (dataSize == nullptr) return ERROR_SUCCESS;
    DWORD available = *dataSize;
    *dataSize = DWORD(bytes.size());
    if (data == nullptr) return ERROR_SUCCESS;
    if (available < bytes.size()) return ERROR_MORE_DATA;  // nothing is copied
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
    LSTATUS status = CheckHandle("RegSetValueExA", key);
    if (status != ERROR_SUCCESS) return status;
    if (type != REG_DWORD) Unsupported("RegSetValueExA", "a type other than REG_DWORD", type);
    if (dataSize != sizeof(DWORD)) Unsupported("RegSetValueExA", "a REG_DWORD size other than 4", dataSize);
    if (data == nullptr) return ERROR_INVALID_PARAMETER;
    if ((key->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    std::string name = valueName != nullptr ? valueName : "";
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20) return ERROR_INVALID_PARAMETER;  // the file could not hold it

    DWORD number = 0;
    std::memcpy(&number, data, sizeof(number));
    auto setValue = [&](const regfile::Document& current) {
        return regfile::WithDwordValue(current, key->key, name, number);
    };
    regfile::Document updated;
    status = regfile::UpdateRegistryFile(key->path, setValue, &updated);
    if (status == ERROR_SUCCESS) key->doc = std::move(updated);
    return status;
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
    LSTATUS status = CheckHandle("RegCloseKey", key);
    if (status != ERROR_SUCCESS) return status;
    openKeys.erase(key);
    delete key;
    return ERROR_SUCCESS;
}
