// Whole-file replacement that a crash or a failure cannot tear: the new bytes
// go to a temporary file in the same folder, are flushed to disk, and the
// temporary file is renamed over the old one.
#pragma once

#include <sys/types.h>

#include <string>

namespace regfile {

class WriteTarget;

// Where the target lies: in a folder of the program's own, where every name
// beside the file that starts as its temporary files do is one of them (the
// name plus ".tmp" or ".tmp.XXXXXX"), or in a folder shared with other
// programs, where the temporary file is "NAME.orchardia-XXXXXX" and nothing
// else is touched.
enum class TemporaryFolder { Own, Shared };

// Replaces the target file, giving it permission bits `mode`, through a
// temporary file of an unguessable name in its folder (in its own folder,
// first clearing the ones a killed writer left); the caller holds a lock that
// keeps other writers out meanwhile. On failure `why` says what failed; a
// failure before the rename leaves the old file as it was and no temporary
// file, one after it (flushing the folder) leaves the new file in place.
bool ReplaceFileAtomically(const WriteTarget& target, const std::string& bytes, mode_t mode, std::string* why,
                           TemporaryFolder folder = TemporaryFolder::Own);

}  // namespace regfile
