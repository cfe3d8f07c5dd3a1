// Error handling around libjpeg: a fatal library error prints the library's
// message and jumps back to the loader's recovery point.
#pragma once

#include <csetjmp>

#include "assets/Jpeg.h"

// libjpeg's standard error manager immediately followed by the recovery
// point, so that LoaderErrorExit finds it from the decompressor alone.
struct LoaderErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf recovery;
};

// Replaces the error manager's error_exit: writes the library's message to
// standard error and jumps to the recovery point with the value 1.
[[noreturn]] void LoaderErrorExit(j_common_ptr decompressor);
