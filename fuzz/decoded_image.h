// What every decode the fuzzers run must leave behind: on failure no pixels;
// on success a buffer that really spans the rows the record describes (ASan
// is asked whether any byte of it is unaddressable), which the caller then
// frees. Any breach aborts, which libFuzzer reports as a crash.
#pragma once

#include <sanitizer/asan_interface.h>

#include <cstdlib>

#include "assets/TextureImage.h"

inline void CheckDecodedImage(bool decoded, TextureImage* image) {
    if (image->textureName != 0) std::abort();
    if (!decoded) {
        if (image->pixels != nullptr) std::abort();
        return;
    }
    if (image->pixels == nullptr || image->width <= 0 || image->height <= 0) std::abort();
    if (image->bitsPerPixel <= 0 || image->bitsPerPixel % 8 != 0) std::abort();
    size_t bytes = size_t(image->width) * size_t(image->height) * size_t(image->bitsPerPixel / 8);
    if (__asan_region_is_poisoned(image->pixels, bytes) != nullptr) std::abort();
    std::free(image->pixels);
    *image = {};
}
