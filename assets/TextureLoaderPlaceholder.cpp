// Stands in for the JPEG loaders until they are part of the build: every load
// fails, leaving the texture name 0, so sprites and banner draw untextured.
#include "assets/TextureLoader.h"

bool LoadMaskedTexture(TextureImage*, const char*, const char*) {
    return false;
}

bool LoadTexture(TextureImage*, const char*) {
    return false;
}
