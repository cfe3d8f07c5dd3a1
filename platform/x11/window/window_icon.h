// The program's icon resource for window managers (_NET_WM_ICON).
#pragma once

#include <cstddef>
#include <vector>

namespace standin {

// Each image of the icon resource "ORCHARDIA_ICON" (a Windows .ico of 4-bit
// images with a transparency mask) as width, height and then ARGB pixels row
// by row from the top; empty when there is no such resource or it is malformed.
std::vector<long> ProgramIcon();
std::vector<long> IconProperty(const unsigned char* bytes, size_t size);

}  // namespace standin
