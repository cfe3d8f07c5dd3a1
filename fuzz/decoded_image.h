// What every decode the fuzzers run must leave behind: the reference's result;
// on failure no pixels; on success a buffer that really spans the rows the
// record describes (ASan is asked whether any byte of it is unaddressable) and
// holds the reference's pixels. The buffer is then freed. Any breach aborts,
// which libFuzzer reports as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/TextureImage.h"
#include "reference_decode.h"

#if defined(__has_feature) && __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#else
#define __asan_region_is_poisoned(address, size) static_cast<void*>(nullptr)  // coverage builds
#endif

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::printf("decode check failed: %s\n", what);  // standard error is closed in fuzz runs
    std::fflush(stdout);
    std::abort();
}

inline void CheckDecodedImage(bool decoded, TextureImage* image, const ReferenceImage& expected) {
    Require(image->textureName == 0, "a texture name without an upload");
    Require(decoded == expected.decoded, "the result differs from the reference decode");
    if (!decoded) {
        Require(image->pixels == nullptr, "pixels left behind by a failed decode");
        return;
    }
    Require(image->pixels != nullptr, "no pixels");
    Require(JDIMENSION(image->width) == expected.width && JDIMENSION(image->height) == expected.height,
            "the size differs from the reference decode");
    Require(image->bitsPerPixel == expected.components * 8, "bits per pixel differ from the reference decode");
    size_t bytes = expected.pixels.size();
    Require(__asan_region_is_poisoned(image->pixels, bytes) == nullptr, "the pixel buffer is short");
    Require(std::memcmp(image->pixels, expected.pixels.data(), bytes) == 0, "pixels differ from the reference decode");
    std::free(image->pixels);
    *image = {};
}
