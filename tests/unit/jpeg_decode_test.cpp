// Decoding the embedded JPEG resources into TextureImage records, without
// OpenGL: the merged atlas, the logo, the data source, and every way a
// decode can fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "assets/JpegDecode.h"
#include "assets/LoaderError.h"
#include "assets/ResourceSource.h"
#include "platform/x11/testing.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Embedded(const char* name) {
    HRSRC resource = FindResourceA(nullptr, name, RT_RCDATA);
    if (resource == nullptr) return {};
    const unsigned char* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
    return Bytes(bytes, bytes + SizeofResource(nullptr, resource));
}

// A reference decode straight through libjpeg's own memory source.
struct Reference {
    int width = 0, height = 0, components = 0;
    Bytes pixels;
};

Reference DecodeReference(const Bytes& jpeg) {
    jpeg_decompress_struct decode{};
    jpeg_error_mgr errors;
    decode.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decode);
    jpeg_mem_src(&decode, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&decode, TRUE);
    jpeg_start_decompress(&decode);
    Reference image;
    image.width = int(decode.output_width);
    image.height = int(decode.output_height);
    image.components = decode.output_components;
    size_t rowBytes = size_t(image.width) * image.components;
    image.pixels.resize(rowBytes * image.height);
    while (decode.output_scanline < decode.output_height) {
        JSAMPROW row = image.pixels.data() + decode.output_scanline * rowBytes;
        jpeg_read_scanlines(&decode, &row, 1);
    }
    jpeg_finish_decompress(&decode);
    jpeg_destroy_decompress(&decode);
    return image;
}

// The offset of the first marker `code` (0xFF code), or 0 when there is none.
size_t FindMarker(const Bytes& jpeg, unsigned char code) {
    for (size_t i = 2; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
    }
    return 0;
}

Bytes Truncated(const Bytes& jpeg, size_t length) {
    return Bytes(jpeg.begin(), jpeg.begin() + std::min(length, jpeg.size()));
}

// The image with its frame header claiming `pixels` rows (at offset 5) or pixels per row (at offset 7).
Bytes WithSide(Bytes jpeg, size_t offset, unsigned pixels) {
    size_t frame = FindMarker(jpeg, 0xC0);
    jpeg[frame + offset] = static_cast<unsigned char>(pixels >> 8);
    jpeg[frame + offset + 1] = static_cast<unsigned char>(pixels & 0xFF);
    return jpeg;
}

class JpegDecodeTest : public testing::Test {
protected:
    void TearDown() override {
        std::free(image.pixels);
        standin::ClearTestResources();
    }
    void Add(const char* name, const Bytes& bytes) { standin::AddTestResource(name, bytes.data(), bytes.size()); }

    TextureImage image = {};
};

TEST_F(JpegDecodeTest, AtlasMergesColourWithMaskAsAlpha) {
    ASSERT_TRUE(DecodeMaskedTexture(&image, "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK"));
    EXPECT_EQ(image.width, 1024);
    EXPECT_EQ(image.height, 512);
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_EQ(image.textureName, 0u);
    ASSERT_NE(image.pixels, nullptr);

    Reference colour = DecodeReference(Embedded("JPEG_FRUIT_RGB"));
    Reference mask = DecodeReference(Embedded("JPEG_FRUIT_MASK"));
    ASSERT_EQ(colour.components, 3);
    ASSERT_EQ(mask.components, 1);
    size_t colourMismatches = 0, alphaMismatches = 0;
    for (size_t i = 0; i < size_t(image.width) * image.height; ++i) {
        const unsigned char* pixel = image.pixels + 4 * i;
        for (int c = 0; c < 3; ++c) colourMismatches += pixel[c] != colour.pixels[3 * i + c];
        alphaMismatches += pixel[3] != mask.pixels[i];
    }
    EXPECT_EQ(colourMismatches, 0u);
    EXPECT_EQ(alphaMismatches, 0u);
}

TEST_F(JpegDecodeTest, LogoDecodesAsOneGreyByteAPixel) {
    ASSERT_TRUE(DecodeTexture(&image, "LOGO_MASK"));
    EXPECT_EQ(image.width, 512);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.bitsPerPixel, 8);
    Reference logo = DecodeReference(Embedded("LOGO_MASK"));
    EXPECT_EQ(Bytes(image.pixels, image.pixels + logo.pixels.size()), logo.pixels);
}

// Each case fails with nothing held; ASan/LSan runs of the suite check leaks.
struct FailureCase {
    const char* what;
    const char* colour;  // resource names; "BAD_*" are added by the test
    const char* mask;    // null: a plain DecodeTexture of `colour`
    const char* message;  // expected on standard error, "" for silence
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.what;
}

class DecodeFailureTest : public JpegDecodeTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(DecodeFailureTest, ReturnsFalseAndReleasesEverything) {
    const FailureCase& c = GetParam();
    Bytes colour = Embedded("JPEG_FRUIT_RGB");
    Bytes garbage(2000, 0x5A);
    Add("BAD_EMPTY", {});
    Add("BAD_GARBAGE", garbage);
    Add("BAD_HEADER_CUT", Truncated(colour, FindMarker(colour, 0xDA) - 40));
    Add("BAD_TABLES_ONLY", Truncated(colour, FindMarker(colour, 0xC0)));
    Add("BAD_WIDE", WithSide(Embedded("LOGO_MASK"), 7, 9000));
    Add("BAD_TALL", WithSide(Embedded("LOGO_MASK"), 5, 9000));

    testing::internal::CaptureStderr();
    bool decoded = c.mask != nullptr ? DecodeMaskedTexture(&image, c.colour, c.mask) : DecodeTexture(&image, c.colour);
    std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(decoded);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.textureName, 0u);
    if (*c.message == '\0') {
        EXPECT_EQ(errors, "");
    } else {
        EXPECT_NE(errors.find(c.message), std::string::npos) << errors;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DecodeFailureTest,
    testing::Values(
        FailureCase{"missing colour", "NO_SUCH_IMAGE", "JPEG_FRUIT_MASK", ""},
        FailureCase{"missing mask", "JPEG_FRUIT_RGB", "NO_SUCH_IMAGE", ""},
        FailureCase{"missing image", "NO_SUCH_IMAGE", nullptr, ""},
        FailureCase{"empty colour", "BAD_EMPTY", "JPEG_FRUIT_MASK", ""},
        FailureCase{"corrupt colour", "BAD_GARBAGE", "JPEG_FRUIT_MASK", "Not a JPEG file"},
        FailureCase{"corrupt mask", "JPEG_FRUIT_RGB", "BAD_GARBAGE", "Not a JPEG file"},
        FailureCase{"corrupt image", "BAD_GARBAGE", nullptr, "Not a JPEG file"},
        FailureCase{"colour cut in its header", "BAD_HEADER_CUT", "JPEG_FRUIT_MASK", "Premature end of JPEG file"},
        FailureCase{"mask cut in its header", "JPEG_FRUIT_RGB", "BAD_HEADER_CUT", "Premature end of JPEG file"},
        FailureCase{"tables only", "BAD_TABLES_ONLY", nullptr, "Premature end of JPEG file"},
        FailureCase{"colour of one component", "JPEG_FRUIT_MASK", "JPEG_FRUIT_MASK", ""},
        FailureCase{"mask of three components", "JPEG_FRUIT_RGB", "JPEG_FRUIT_RGB", ""},
        FailureCase{"mask of another size", "JPEG_FRUIT_RGB", "LOGO_MASK", ""},
        FailureCase{"image too wide", "BAD_WIDE", nullptr, ""},
        FailureCase{"image too tall", "BAD_TALL", nullptr, ""}),
    [](const testing::TestParamInfo<FailureCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name) {
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

// Cut inside the compressed data, a stream ends at the cut: the library warns,
// fills the rest, and the decode succeeds without reading past the block
// (the block is an exact-size copy, so an over-read shows under ASan).
TEST_F(JpegDecodeTest, StreamCutInItsDataEndsAtTheCut) {
    for (const char* name : {"JPEG_FRUIT_RGB", "LOGO_MASK"}) {
        Bytes whole = Embedded(name);
        size_t scan = FindMarker(whole, 0xDA);
        for (size_t length : {scan + 20, (scan + whole.size()) / 2, whole.size() - 2}) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(length));
            Add("CUT", Truncated(whole, length));
            testing::internal::CaptureStderr();
            bool decoded = DecodeTexture(&image, "CUT");
            std::string errors = testing::internal::GetCapturedStderr();
            standin::ClearTestResources();
            EXPECT_TRUE(decoded);
            EXPECT_NE(errors.find("Premature end of JPEG file"), std::string::npos) << errors;
            std::free(image.pixels);
            image = {};
        }
    }
}

// The source manager on a ten-byte block: skips and the end of the data.
class SourceTest : public testing::Test {
protected:
    void SetUp() override {
        decode.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&decode);
        AttachResourceSource(&decode, &source);
    }
    void TearDown() override { jpeg_destroy_decompress(&decode); }

    const JOCTET block[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ResourceSource source = {10, block};
    jpeg_decompress_struct decode{};
    jpeg_error_mgr errors;
};

TEST_F(SourceTest, SkipMovesForwardAndStopsAtTheEnd) {
    struct Skip {
        long count;
        size_t position;
    };
    for (Skip skip : {Skip{0, 0}, Skip{-1, 0}, Skip{LONG_MIN, 0}, Skip{3, 3}, Skip{10, 10}, Skip{11, 10},
                      Skip{LONG_MAX, 10}}) {
        AttachResourceSource(&decode, &source);
        decode.src->skip_input_data(&decode, skip.count);
        EXPECT_EQ(decode.src->next_input_byte, block + skip.position) << skip.count;
        EXPECT_EQ(decode.src->bytes_in_buffer, 10 - skip.position) << skip.count;
    }
}

TEST_F(SourceTest, EndOfDataSuppliesAnEndOfImageMarker) {
    decode.src->skip_input_data(&decode, 10);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(decode.src->fill_input_buffer(&decode));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Premature end of JPEG file"), std::string::npos);
    ASSERT_EQ(decode.src->bytes_in_buffer, 2u);
    EXPECT_EQ(decode.src->next_input_byte[0], 0xFF);
    EXPECT_EQ(decode.src->next_input_byte[1], JPEG_EOI);
}

TEST_F(SourceTest, SecondAttachReusesTheManager) {
    jpeg_source_mgr* first = decode.src;
    const JOCTET other[4] = {};
    ResourceSource second = {4, other};
    AttachResourceSource(&decode, &second);
    EXPECT_EQ(decode.src, first);
    EXPECT_EQ(reinterpret_cast<ResourceSourceManager*>(decode.src)->source, &second);
    EXPECT_EQ(decode.src->next_input_byte, other);
    EXPECT_EQ(decode.src->bytes_in_buffer, 4u);
    EXPECT_EQ(decode.src->resync_to_restart, jpeg_resync_to_restart);
}

}  // namespace
