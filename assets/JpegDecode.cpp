#include "assets/JpegDecode.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "assets/DecodeSession.h"

namespace {

const ImageShape anyImage = {0, 0, 0};
const ImageShape colourImage = {3, 0, 0};

// Sizes `image` from the started decode and allocates its zero-filled pixels.
bool StartImage(TextureImage* image, const jpeg_decompress_struct& decode, int bitsPerPixel) {
    image->width = int32_t(decode.output_width);
    image->height = int32_t(decode.output_height);
    image->bitsPerPixel = bitsPerPixel;
    size_t rowBytes = size_t(decode.output_width) * size_t(bitsPerPixel / 8);
    image->pixels = static_cast<unsigned char*>(std::calloc(rowBytes, decode.output_height));
    return image->pixels != nullptr;
}

// Decodes the remaining rows one at a time through a one-row buffer from the
// image pool, handing each to store(row number, samples).
template <typename Store>
bool ForEachRow(jpeg_decompress_struct* decode, Store store) {
    JDIMENSION samples = decode->output_width * JDIMENSION(decode->output_components);
    JSAMPARRAY row =
        (*decode->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(decode), JPOOL_IMAGE, samples, 1);
    while (decode->output_scanline < decode->output_height) {
        JDIMENSION r = decode->output_scanline;
        if (jpeg_read_scanlines(decode, row, 1) != 1) return false;
        store(r, row[0]);
    }
    return true;
}

bool CopyRows(jpeg_decompress_struct* decode, TextureImage* image) {
    size_t rowBytes = size_t(image->width) * size_t(decode->output_components);
    return ForEachRow(decode, [&](JDIMENSION r, const JSAMPLE* samples) {
        std::memcpy(image->pixels + r * rowBytes, samples, rowBytes);
    });
}

// Red, green and blue into bytes 0-2 of each pixel; alpha stays 0.
bool ColourPass(jpeg_decompress_struct* decode, TextureImage* image) {
    size_t width = size_t(image->width);
    return ForEachRow(decode, [&](JDIMENSION r, const JSAMPLE* samples) {
        unsigned char* pixel = image->pixels + r * width * 4;
        for (size_t i = 0; i < width; ++i, pixel += 4, samples += 3) std::memcpy(pixel, samples, 3);
    });
}

// The mask's grey into byte 3 of each pixel; the colour is not touched.
bool MaskPass(jpeg_decompress_struct* decode, TextureImage* image) {
    size_t width = size_t(image->width);
    return ForEachRow(decode, [&](JDIMENSION r, const JSAMPLE* samples) {
        unsigned char* alpha = image->pixels + r * width * 4 + 3;
        for (size_t i = 0; i < width; ++i, alpha += 4) *alpha = samples[i];
    });
}

}  // namespace

bool DecodeTexture(TextureImage* image, const char* name) {
    DecodeSession session;
    if (setjmp(session.errors.recovery) != 0) return session.Fail(image);
    session.Create();
    if (!session.Read(name, anyImage)) return session.Fail(image);
    jpeg_decompress_struct* decode = &session.decompressor;
    if (!StartImage(image, *decode, decode->output_components * 8)) return session.Fail(image);
    if (!CopyRows(decode, image)) return session.Fail(image);
    session.FinishImage();
    session.Destroy();
    return true;
}

bool DecodeMaskedTexture(TextureImage* image, const char* colourName, const char* maskName) {
    DecodeSession session;
    if (setjmp(session.errors.recovery) != 0) return session.Fail(image);
    session.Create();
    if (!session.Read(colourName, colourImage)) return session.Fail(image);
    jpeg_decompress_struct* decode = &session.decompressor;
    if (!StartImage(image, *decode, 32)) return session.Fail(image);
    if (!ColourPass(decode, image)) return session.Fail(image);
    session.FinishImage();
    session.ReleaseSource();

    ImageShape mask = {1, JDIMENSION(image->width), JDIMENSION(image->height)};
    if (!session.Read(maskName, mask)) return session.Fail(image);
    if (!MaskPass(decode, image)) return session.Fail(image);
    session.FinishImage();
    session.Destroy();
    return true;
}
