// Registry values that hold for this run only, set from the command line before
// WinMain: queries of the value answer with them, and nothing writes them to
// the settings file.
#pragma once

#include <string>

#include "platform/x11/settings/registry_format.h"
#include "platform/x11/win32.h"

namespace standin {

// From now on `name` under `key` (below HKEY_CURRENT_USER) reads as this REG_DWORD.
void SetRunOnlyDword(const std::string& key, const std::string& name, DWORD value);
// The run-only value `name` under `key`, or null; whether `key` has any.
const regfile::Value* FindRunOnlyValue(const std::string& key, const std::string& name);
bool HasRunOnlyValues(const std::string& key);

}  // namespace standin
