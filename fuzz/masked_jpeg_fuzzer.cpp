// Any bytes as the colour and mask blocks of DecodeMaskedTexture. The input
// up to and including its first end-of-image marker (FF D9) is the colour
// block, the rest the mask, so a colour file followed by a mask file is a
// natural seed; input without the marker is all colour and an empty mask.
// The result must be the reference decodes of the two merged: the colour's
// red, green and blue with the mask's grey as alpha. Tables the colour image
// defines serve a mask that lacks them, as libjpeg keeps them between images.
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

ReferenceImage Merged(const uint8_t* colourBlock, size_t colourSize, const uint8_t* maskBlock, size_t maskSize) {
    ReferenceDecoder decoder;
    ReferenceImage colour, mask;
    if (!decoder.Decode(colourBlock, colourSize, ImageShape{3, 0, 0}, &colour)) return colour;
    if (!decoder.Decode(maskBlock, maskSize, ImageShape{1, colour.width, colour.height}, &mask)) return mask;
    ReferenceImage merged = colour;
    merged.components = 4;
    merged.pixels.resize(mask.pixels.size() * 4);
    for (size_t i = 0; i < mask.pixels.size(); ++i) {
        std::copy_n(&colour.pixels[3 * i], 3, &merged.pixels[4 * i]);
        merged.pixels[4 * i + 3] = mask.pixels[i];
    }
    return merged;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ClaimsLargeFrame(data, size)) return -1;
    size_t colourLength = ColourBlockLength(data, size);
    standin::AddTestResource("FUZZ_COLOUR", data, colourLength);
    standin::AddTestResource("FUZZ_MASK", data + colourLength, size - colourLength);
    TextureImage image = {};
    bool decoded = DecodeMaskedTexture(&image, "FUZZ_COLOUR", "FUZZ_MASK");
    standin::ClearTestResources();

    CheckDecodedImage(decoded, &image, Merged(data, colourLength, data + colourLength, size - colourLength));
    return 0;
}
