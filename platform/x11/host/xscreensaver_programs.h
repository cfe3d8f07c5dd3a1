// The programs resource of an xscreensaver settings file: one "programs:" line
// and the lines that backslashes continue it onto, each holding an entry that
// ends in a literal \n ("  GL: orchardia --root \n\"). Edits change whole
// lines and the continuation of the line before, nothing else.
#pragma once

#include <string>

namespace standin {

extern const char kOrchardiaEntry[];  // "GL: orchardia --root"

// Where the resource is in `text` (whose lines end in '\n'): the offsets of
// its first line and of the end of its last line's newline. `name` is
// "programs" or, in app-defaults files, "*programs". False when there is none;
// `twice` set when there is more than one.
bool FindProgramsResource(const std::string& text, const char* name, size_t* begin, size_t* end, bool* twice);

// True when an entry of the resource (enabled or not) runs orchardia.
bool ListsOrchardia(const std::string& resource);
// The resource with kOrchardiaEntry appended as its last entry.
std::string AppendOrchardia(const std::string& resource);
// The resource without the entries that run orchardia; `removed` counts them.
std::string RemoveOrchardia(const std::string& resource, int* removed);

}  // namespace standin
