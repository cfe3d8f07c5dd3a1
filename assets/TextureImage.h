// A decoded image and the OpenGL texture made from it.
#pragma once

#include <cstdint>

struct TextureImage {
    // Decoded rows, top row first, no gaps (malloc'd). The record owns the
    // buffer until UploadTexture releases it; null when there is none.
    unsigned char* pixels;
    // 8 x the decoded components; 32 for a colour image merged with its mask.
    // Alone chooses the texture format at upload.
    int32_t bitsPerPixel;
    int32_t width;         // pixels per row
    int32_t height;        // rows
    uint32_t textureName;  // 0 until the upload generates one
};
