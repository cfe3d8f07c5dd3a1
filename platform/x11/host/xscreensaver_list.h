// orchardia --add-to-xscreensaver and --remove-from-xscreensaver: the entry
// "GL: orchardia --root" in the programs list of the user's ~/.xscreensaver
// (no package may edit it). Every other byte of the file stays, the file is
// replaced atomically, and a file the edit cannot be sure of is left alone.
// Nothing else in the home folder is touched; commands run at once take turns.
#pragma once

#include <string>

namespace standin {

// Adds the entry (once) or removes every entry that runs orchardia, saying in
// one line what it did (standard output) or what is wrong (standard error,
// nothing written). False on an error.
bool EditXscreensaverList(bool add);

}  // namespace standin
