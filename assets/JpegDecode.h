// Decoding embedded JPEG resources into a TextureImage, without OpenGL.
// Both return false on any failure, leaving `pixels` null and nothing held.
#pragma once

#include "assets/TextureImage.h"

// The named resource as it decodes: one grey byte or red, green, blue a pixel.
bool DecodeTexture(TextureImage* image, const char* name);

// A three-component colour resource with a one-component mask of the same
// size as its alpha: red, green, blue, alpha a pixel.
bool DecodeMaskedTexture(TextureImage* image, const char* colourName, const char* maskName);
