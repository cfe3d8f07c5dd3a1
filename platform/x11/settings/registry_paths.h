// The paths a write of the settings file touches, checked and prepared before
// anything is written: the length limits and the folder chain. Failures come
// with a reason fit for the user.
#pragma once

#include <string>

namespace regfile {

// The folder holding `path` ("/" for a top-level name).
std::string ParentFolder(const std::string& path);

// False when `path`, or a name the writer makes beside it, is longer than the
// system opens (PATH_MAX in all, NAME_MAX per name).
bool FitsPathLimits(const std::string& path, std::string* why);

// The first and last characters of a path too long to print whole.
std::string Shortened(const std::string& path);

// Creates the folder and its missing parents (mode 0700) one at a time from the
// top. A link to a missing folder is reported, not followed into creating it.
bool MakeFolders(const std::string& folder, std::string* why);

// Why creating `path` failed, from errno: a read-only or missing folder is named as such.
std::string CreationFailure(const std::string& path);

}  // namespace regfile
