// What FormatMessageA says about an error code: the reason the stand-in gave
// for it last (the settings file records the file and why a write failed),
// else the fixed text Windows has for the codes the stand-in returns.
#pragma once

#include <string>

#include "platform/x11/win32.h"

namespace standin {

// From now on FormatMessageA answers `code` with `text`.
void RecordErrorText(LONG code, const std::string& text);

}  // namespace standin
