#include <cstdlib>
#include <type_traits>

#include "assets/TextureLoader.h"
#include "platform/gl.h"

static_assert(std::is_same<GLuint, uint32_t>::value, "TextureImage::textureName holds a GLuint");

namespace {

// 8 and 16 bits a pixel: alpha only; 24: RGB; anything else: RGBA.
GLenum FormatFor(int32_t bitsPerPixel) {
    switch (bitsPerPixel) {
        case 8:
        case 16:
            return GL_ALPHA;
        case 24:
            return GL_RGB;
        default:
            return GL_RGBA;
    }
}

size_t BytesPerPixel(GLenum format) {
    return format == GL_ALPHA ? 1 : format == GL_RGB ? 3 : 4;
}

}  // namespace

bool UploadTexture(TextureImage* image) {
    glGenTextures(1, &image->textureName);
    glBindTexture(GL_TEXTURE_2D, image->textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLfloat(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLfloat(GL_LINEAR));

    GLenum format = FormatFor(image->bitsPerPixel);
    // Rows are packed without padding: one that is not a multiple of four
    // bytes needs byte alignment, or OpenGL would read past the buffer.
    bool packedRows = size_t(image->width) * BytesPerPixel(format) % 4 != 0;
    if (packedRows) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), image->width, image->height, 0, format, GL_UNSIGNED_BYTE,
                 image->pixels);
    if (packedRows) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

    std::free(image->pixels);
    image->pixels = nullptr;
    return true;
}
