// Whole-file replacement that a crash or a failure cannot tear: the new bytes
// go to a temporary file in the same folder, are flushed to disk, and the
// temporary file is renamed over the old one.
#pragma once

#include <sys/types.h>

#include <string>

namespace regfile {

class WriteTarget;

// Replaces the target file, giving it permission bits `mode`, through a
// temporary file of an unguessable name in its folder (first clearing the ones
// a killed writer left); the caller holds a lock that keeps other writers out
// meanwhile. On
// failure `why` says what failed; a failure before the rename leaves the old
// file as it was and no temporary file, one after it (flushing the folder)
// leaves the new file in place.
bool ReplaceFileAtomically(const WriteTarget& target, const std::string& bytes, mode_t mode, std::string* why);

}  // namespace regfile
