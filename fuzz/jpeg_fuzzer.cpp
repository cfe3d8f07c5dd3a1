// Any bytes as the one image DecodeTexture reads (the logo's path): it must
// return what a plain decode through libjpeg's own memory source returns,
// pixel for pixel, with no sanitizer report and nothing leaked.
#include <cstddef>
#include <cstdint>

#include "assets/JpegDecode.h"
#include "decoded_image.h"
#include "frame_size.h"
#include "platform/x11/testing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ClaimsLargeFrame(data, size)) return -1;
    standin::AddTestResource("FUZZ_IMAGE", data, size);
    TextureImage image = {};
    bool decoded = DecodeTexture(&image, "FUZZ_IMAGE");
    standin::ClearTestResources();

    ReferenceImage expected;
    ReferenceDecoder().Decode(data, size, ImageShape{0, 0, 0}, &expected);
    CheckDecodedImage(decoded, &image, expected);
    return 0;
}
