// Textures from the embedded images on a real Mesa context: formats and sizes
// as OpenGL reports them, texels as decoded, and failures that make no texture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "assets/Jpeg.h"
#include "assets/JpegDecode.h"
#include "assets/TextureLoader.h"
#include "platform/x11/testing.h"

#include "tests/helpers/gl_test_context.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Level {
    GLint width, height, format;
};

Level BoundLevel() {
    Level level = {};
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &level.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &level.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &level.format);
    return level;
}

GLuint BoundTexture() {
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return GLuint(name);
}

// The bound texture's texels, rows packed without padding.
Bytes BoundTexels(GLenum format, int bytesPerPixel) {
    Level level = BoundLevel();
    Bytes texels(size_t(level.width) * level.height * bytesPerPixel);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

// A small test pattern as a baseline JPEG, through libjpeg's own encoder.
Bytes EncodePattern(int width, int height, int components) {
    jpeg_compress_struct encode{};
    jpeg_error_mgr errors;
    encode.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encode);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encode, &out, &size);
    encode.image_width = JDIMENSION(width);
    encode.image_height = JDIMENSION(height);
    encode.input_components = components;
    encode.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&encode);
    jpeg_set_quality(&encode, 95, TRUE);
    jpeg_start_compress(&encode, TRUE);
    Bytes row(size_t(width) * components);
    while (encode.next_scanline < encode.image_height) {
        for (size_t i = 0; i < row.size(); ++i) row[i] = (unsigned char)((i * 37 + encode.next_scanline * 71) % 256);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encode, rows, 1);
    }
    jpeg_finish_compress(&encode);
    jpeg_destroy_compress(&encode);
    Bytes jpeg(out, out + size);
    std::free(out);
    return jpeg;
}

class TextureTest : public testing::Test {
protected:
    void SetUp() override { REQUIRE_GL(gl); }
    void TearDown() override {
        standin::ClearTestResources();
        for (TextureImage& image : images) {
            std::free(image.pixels);
            if (image.textureName != 0) glDeleteTextures(1, &image.textureName);
        }
    }

    GlTestContext gl{64, 64};
    TextureImage images[2] = {};  // zero-filled side by side, as the sprite field holds them
};

TEST_F(TextureTest, TexelsAreTheDecodedPixels) {
    TextureImage decoded = {};
    ASSERT_TRUE(DecodeMaskedTexture(&decoded, "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK"));
    Bytes expected(decoded.pixels, decoded.pixels + size_t(decoded.width) * decoded.height * 4);
    std::free(decoded.pixels);
    ASSERT_TRUE(LoadMaskedTexture(&images[0], "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK"));
    EXPECT_TRUE(BoundTexels(GL_RGBA, 4) == expected);
}

// Rows of 13 x 3 and 13 x 1 bytes are not a multiple of four: uploaded with
// OpenGL's default alignment they would shear and read past the buffer.
TEST_F(TextureTest, RowsOfAnyLengthUploadUnsheared) {
    struct Case {
        int components;
        GLenum format;
    };
    for (Case c : {Case{3, GL_RGB}, Case{1, GL_ALPHA}}) {
        SCOPED_TRACE(c.components);
        Bytes jpeg = EncodePattern(13, 5, c.components);
        standin::AddTestResource("ODD", jpeg.data(), jpeg.size());
        TextureImage decoded = {};
        ASSERT_TRUE(DecodeTexture(&decoded, "ODD"));
        Bytes expected(decoded.pixels, decoded.pixels + size_t(13) * 5 * c.components);
        std::free(decoded.pixels);

        TextureImage image = {};
        ASSERT_TRUE(LoadTexture(&image, "ODD"));
        EXPECT_EQ(BoundLevel().format, GLint(c.format));
        EXPECT_TRUE(BoundTexels(c.format, c.components) == expected);
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        EXPECT_EQ(alignment, 4);
        glDeleteTextures(1, &image.textureName);
        standin::ClearTestResources();
    }
}

TEST_F(TextureTest, BitsPerPixelChooseTheFormat) {
    struct Case {
        int bitsPerPixel;
        GLint format;
    };
    for (Case c : {Case{8, GL_ALPHA}, Case{16, GL_ALPHA}, Case{24, GL_RGB}, Case{32, GL_RGBA}, Case{40, GL_RGBA}}) {
        TextureImage image = {};
        image.width = 4;
        image.height = 2;
        image.bitsPerPixel = c.bitsPerPixel;
        image.pixels = static_cast<unsigned char*>(std::calloc(size_t(4) * 2 * c.bitsPerPixel / 8, 1));
        EXPECT_TRUE(UploadTexture(&image));
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_NE(image.textureName, 0u);
        EXPECT_EQ(BoundTexture(), image.textureName);
        EXPECT_EQ(BoundLevel().format, c.format) << c.bitsPerPixel;
        glDeleteTextures(1, &image.textureName);
    }
}

// A failed load generates no texture name and leaves the binding alone (which
// inputs fail to decode: tests/unit/jpeg_decode_test.cpp).
TEST_F(TextureTest, FailuresMakeNoTexture) {
    GLuint before = 0;
    glGenTextures(1, &before);
    glBindTexture(GL_TEXTURE_2D, before);

    EXPECT_FALSE(LoadMaskedTexture(&images[0], "JPEG_FRUIT_RGB", "NO_SUCH_IMAGE"));
    EXPECT_FALSE(LoadTexture(&images[1], "NO_SUCH_IMAGE"));

    for (const TextureImage& image : images) {
        EXPECT_EQ(image.textureName, 0u);
        EXPECT_EQ(image.pixels, nullptr);
    }
    EXPECT_EQ(BoundTexture(), before);
    GLuint after = 0;
    glGenTextures(1, &after);
    EXPECT_EQ(after, before + 1);
    glDeleteTextures(1, &before);
    glDeleteTextures(1, &after);
}

}  // namespace
