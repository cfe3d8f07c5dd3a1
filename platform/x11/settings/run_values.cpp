#include "platform/x11/settings/run_values.h"

#include <vector>

#include "platform/x11/testing.h"

namespace {

struct RunOnlyValue {
    std::string key;
    regfile::Value value;
};
std::vector<RunOnlyValue> runOnlyValues;

}  // namespace

const regfile::Value* standin::FindRunOnlyValue(const std::string& key, const std::string& name) {
    for (const RunOnlyValue& entry : runOnlyValues)
        if (regfile::SameName(entry.key, key) && regfile::SameName(entry.value.name, name)) return &entry.value;
    return nullptr;
}

bool standin::HasRunOnlyValues(const std::string& key) {
    for (const RunOnlyValue& entry : runOnlyValues)
        if (regfile::SameName(entry.key, key)) return true;
    return false;
}

void standin::SetRunOnlyDword(const std::string& key, const std::string& name, DWORD value) {
    regfile::Value entry;
    entry.name = name;
    entry.type = REG_DWORD;
    entry.data.assign(reinterpret_cast<const char*>(&value), sizeof(value));
    runOnlyValues.push_back({key, entry});
}

void standin::ClearRunOnlyValues() {
    runOnlyValues.clear();
}
