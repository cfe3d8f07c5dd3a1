// Any bytes as the colour and mask blocks of DecodeMaskedTexture. The input
// up to and including its first end-of-image marker (FF D9) is the colour
// block, the rest the mask, so a colour file followed by a mask file is a
// natural seed; input without the marker is all colour and an empty mask.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "assets/JpegDecode.h"
#include "decoded_image.h"
#include "frame_size.h"
#include "platform/x11/testing.h"

namespace {

size_t ColourBlockLength(const uint8_t* data, size_t size) {
    const uint8_t marker[2] = {0xFF, 0xD9};
    const uint8_t* end = std::search(data, data + size, marker, marker + 2);
    return end == data + size ? size : size_t(end - data) + 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ClaimsLargeFrame(data, size)) return -1;
    size_t colourLength = ColourBlockLength(data, size);
    standin::AddTestResource("FUZZ_COLOUR", data, colourLength);
    standin::AddTestResource("FUZZ_MASK", data + colourLength, size - colourLength);
    TextureImage image = {};
    bool decoded = DecodeMaskedTexture(&image, "FUZZ_COLOUR", "FUZZ_MASK");
    if (decoded && image.bitsPerPixel != 32) std::abort();
    CheckDecodedImage(decoded, &image);
    standin::ClearTestResources();
    return 0;
}
