// Textures from the embedded JPEG images.
#pragma once

#include "assets/TextureImage.h"

// The colour image with the mask's grey level as alpha, one RGBA texture.
bool LoadMaskedTexture(TextureImage* image, const char* colourName, const char* maskName);
// One image as a texture; a grey image becomes an alpha-only texture.
bool LoadTexture(TextureImage* image, const char* name);
