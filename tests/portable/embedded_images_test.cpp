// The three images the program finds in its own module resources: present by
// name as raw data, complete JPEG streams of the sizes and components the
// textures need. Built for both platforms (module resources on Windows, the
// stand-in's embedded blocks on Linux).
#include <gtest/gtest.h>

#include "platform/winapi.h"

namespace {

struct JpegFrame {
    int width = 0;
    int height = 0;
    int components = 0;
    bool baseline = false;
};

// Reads the frame header from the markers before the first scan.
JpegFrame ReadFrame(const BYTE* bytes, DWORD size) {
    JpegFrame frame;
    DWORD at = 2;
    while (at + 4 <= size && bytes[at] == 0xff) {
        BYTE marker = bytes[at + 1];
        DWORD length = (bytes[at + 2] << 8) | bytes[at + 3];
        if ((marker == 0xc0 || marker == 0xc1 || marker == 0xc2) && at + 10 <= size) {
            frame.baseline = marker == 0xc0;
            frame.height = (bytes[at + 5] << 8) | bytes[at + 6];
            frame.width = (bytes[at + 7] << 8) | bytes[at + 8];
            frame.components = bytes[at + 9];
            return frame;
        }
        if (marker == 0xda) break;
        at += 2 + length;
    }
    return frame;
}

struct ExpectedImage {
    const char* name;
    int width;
    int height;
    int components;
};

TEST(EmbeddedImages, AreCompleteJpegStreamsOfTheirSizes) {
    const ExpectedImage images[] = {
        {"JPEG_FRUIT_RGB", 1024, 512, 3},
        {"JPEG_FRUIT_MASK", 1024, 512, 1},
        {"LOGO_MASK", 512, 32, 1},
    };
    for (const ExpectedImage& image : images) {
        SCOPED_TRACE(image.name);
        HRSRC resource = FindResourceA(nullptr, image.name, RT_RCDATA);
        ASSERT_NE(resource, nullptr);
        DWORD size = SizeofResource(nullptr, resource);
        ASSERT_GT(size, 4u);
        HGLOBAL loaded = LoadResource(nullptr, resource);
        ASSERT_NE(loaded, nullptr);
        auto bytes = static_cast<const BYTE*>(LockResource(loaded));
        ASSERT_NE(bytes, nullptr);
        EXPECT_TRUE(bytes[0] == 0xff && bytes[1] == 0xd8) << "no start-of-image marker";
        EXPECT_TRUE(bytes[size - 2] == 0xff && bytes[size - 1] == 0xd9) << "no end-of-image marker";
        JpegFrame frame = ReadFrame(bytes, size);
        EXPECT_TRUE(frame.baseline);
        EXPECT_EQ(frame.width, image.width);
        EXPECT_EQ(frame.height, image.height);
        EXPECT_EQ(frame.components, image.components);
    }
}

TEST(EmbeddedImages, NamesAreFoundInAnyCaseAndUnknownOnesNotAtAll) {
    EXPECT_NE(FindResourceA(nullptr, "logo_mask", RT_RCDATA), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "JPEG_FRUIT", RT_RCDATA), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "NO_SUCH_IMAGE", RT_RCDATA), nullptr);
}

}  // namespace
