// Warnings on reading user.reg by hand-edited mistakes: one line on stderr per
// line of a key the program opens that carries no value, and one for a file
// that is not read at all (said once however many keys are opened).
#pragma once

#include <string>

#include "platform/x11/settings/registry_file.h"

namespace regfile {

void WarnAboutUnreadLines(const std::string& path, const LoadedFile& loaded, const std::string& key);

}  // namespace regfile
