#include "platform/x11/unsupported.h"

#include <cstdio>
#include <cstdlib>

void standin::Unsupported(const char* call, const char* what, unsigned long value) {
    std::fprintf(stderr, "orchardia: %s: unsupported %s 0x%lx (not implemented by the Linux stand-in)\n", call,
                 what, value);
    std::abort();
}
