// The Win32 virtual-key codes and message constants the stand-in produces.
#pragma once

namespace standin {

enum VirtualKey : unsigned {
    kVkBack = 0x08,
    kVkTab = 0x09,
    kVkReturn = 0x0D,
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkMenu = 0x12,  // Alt
    kVkPause = 0x13,
    kVkCapital = 0x14,
    kVkEscape = 0x1B,
    kVkSpace = 0x20,
    kVkPrior = 0x21,
    kVkNext = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
    kVkLeftWin = 0x5B,
    kVkRightWin = 0x5C,
    kVkF1 = 0x70,
    kVkF4 = 0x73,
};

// Key-message lParam: bit 29 is set while Alt is held.
const unsigned long kKeyAltDown = 1ul << 29;

// Mouse-message wParam flags.
enum MouseKeyFlag : unsigned {
    kMkLButton = 0x01,
    kMkRButton = 0x02,
    kMkShift = 0x04,
    kMkControl = 0x08,
    kMkMButton = 0x10,
};

// WM_SETCURSOR's hit-test code for the client area.
const unsigned kHitClient = 1;

}  // namespace standin
