// Loud failure for a flag or argument value the stand-in does not implement:
// the program relies on the Win32 behaviour, so a silent guess would be worse
// than stopping.
#pragma once

namespace standin {

// Prints "<call>: unsupported <what> <value>" on stderr and aborts.
[[noreturn]] void Unsupported(const char* call, const char* what, unsigned long value);

}  // namespace standin
