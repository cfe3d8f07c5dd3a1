// Any bytes as the one image DecodeTexture reads (the logo's path): it must
// return true or false with no sanitizer report and nothing leaked.
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
    CheckDecodedImage(decoded, &image);
    standin::ClearTestResources();
    return 0;
}
