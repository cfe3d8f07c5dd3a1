// The loud failure for a dialog or message-box argument the stand-in does not
// handle: a programming error, so it says what was passed and aborts.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace standin {

[[noreturn]] inline void DialogUnsupported(const char* format, ...) __attribute__((format(printf, 1, 2)));

inline void DialogUnsupported(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("orchardia: unsupported by the Linux stand-in: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    va_end(arguments);
    std::abort();
}

}  // namespace standin
