// The embedded images, found in the program's own module resources (module
// resources on Windows, the stand-in's embedded blocks on Linux), through its
// decoder and the platform's libjpeg (Debian's on Linux, the same source
// cross-built on Windows): the atlas and its mask merge into 1024 x 512 RGBA
// with every cell's corners transparent, and the logo decodes to 512 x 32 grey
// with light lettering on black.
#include <gtest/gtest.h>

#include <cstdlib>

#include "assets/JpegDecode.h"
#include "platform/winapi.h"

namespace {

// The marker of the first frame header: 0xc0 baseline, 0xc1 extended, 0xc2 progressive.
int FrameMarker(const BYTE* bytes, DWORD size) {
    for (DWORD at = 2; at + 4 <= size && bytes[at] == 0xff; at += 2 + ((bytes[at + 2] << 8) | bytes[at + 3]))
        if (bytes[at + 1] >= 0xc0 && bytes[at + 1] <= 0xc2) return bytes[at + 1];
    return 0;
}

// Found by name in any case, and only by its whole name: complete baseline streams.
TEST(EmbeddedDecode, ImagesAreCompleteBaselineStreams) {
    for (const char* name : {"JPEG_FRUIT_RGB", "jpeg_fruit_mask", "Logo_Mask"}) {
        SCOPED_TRACE(name);
        HRSRC resource = FindResourceA(nullptr, name, RT_RCDATA);
        ASSERT_NE(resource, nullptr);
        const DWORD size = SizeofResource(nullptr, resource);
        ASSERT_GT(size, 4u);
        auto bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
        ASSERT_NE(bytes, nullptr);
        EXPECT_TRUE(bytes[0] == 0xff && bytes[1] == 0xd8) << "no start-of-image marker";
        EXPECT_TRUE(bytes[size - 2] == 0xff && bytes[size - 1] == 0xd9) << "no end-of-image marker";
        EXPECT_EQ(FrameMarker(bytes, size), 0xc0);
    }
    EXPECT_EQ(FindResourceA(nullptr, "JPEG_FRUIT", RT_RCDATA), nullptr);
}

struct Decoded : TextureImage {
    Decoded() : TextureImage() {}
    ~Decoded() { std::free(pixels); }
    unsigned char At(int x, int y, int bytesPerPixel, int channel) const {
        return pixels[(static_cast<size_t>(y) * width + x) * bytesPerPixel + channel];
    }
};

TEST(EmbeddedDecode, AtlasCellCornersAreTransparent) {
    Decoded atlas;
    ASSERT_TRUE(DecodeMaskedTexture(&atlas, "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK"));
    ASSERT_EQ(atlas.width, 1024);
    ASSERT_EQ(atlas.height, 512);
    EXPECT_EQ(atlas.bitsPerPixel, 32);
    int opaque = 0;
    for (int cell = 0; cell < 32; ++cell) {
        int left = (cell % 8) * 128, top = (cell / 8) * 128;
        for (int corner = 0; corner < 4; ++corner) {
            int x = left + (corner % 2) * 127, y = top + (corner / 2) * 127;
            EXPECT_EQ(atlas.At(x, y, 4, 3), 0) << "cell " << cell << " corner " << corner;
        }
        opaque += atlas.At(left + 64, top + 64, 4, 3) > 128;
    }
    EXPECT_GE(opaque, 24) << "most cells hold an item over their centre";
}

TEST(EmbeddedDecode, LogoIsLightLetteringOnBlack) {
    Decoded logo;
    ASSERT_TRUE(DecodeTexture(&logo, "LOGO_MASK"));
    ASSERT_EQ(logo.width, 512);
    ASSERT_EQ(logo.height, 32);
    EXPECT_EQ(logo.bitsPerPixel, 8);
    int light = 0;
    for (int y = 0; y < logo.height; ++y)
        for (int x = 0; x < logo.width; ++x) light += logo.At(x, y, 1, 0) > 200;
    EXPECT_LE(logo.At(0, 0, 1, 0), 8);
    EXPECT_GT(light, 512 * 32 / 20);
    EXPECT_LT(light, 512 * 32 / 2);
}

}  // namespace
