// Textures from the program's embedded JPEG resources. Call with the OpenGL
// context current. A loader that fails leaves textureName 0 and no pixels.
#pragma once

#include "assets/TextureImage.h"

// The colour resource with the mask resource's grey as alpha, as GL_RGBA.
bool LoadMaskedTexture(TextureImage* image, const char* colourName, const char* maskName);

// One resource as it decodes: GL_ALPHA for grey, GL_RGB for colour.
bool LoadTexture(TextureImage* image, const char* name);

// Makes the texture from a filled image, leaves it bound to GL_TEXTURE_2D and
// releases the pixel buffer. Always true.
bool UploadTexture(TextureImage* image);
