// Whole-file replacement that a crash or a failure cannot tear: the new bytes
// go to a temporary file in the same folder, are flushed to disk, and the
// temporary file is renamed over the old one.
#pragma once

#include <sys/types.h>

#include <string>

namespace regfile {

// Replaces the file at `path`, giving it permission bits `mode`, through the
// temporary file `path`.tmp (or a unique name when something else holds that
// one); the caller holds a lock that keeps other writers out meanwhile. On
// failure `why` says what failed; a failure before the rename leaves the old
// file as it was and no temporary file, one after it (flushing the folder)
// leaves the new file in place.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, mode_t mode, std::string* why);

}  // namespace regfile
