#include "assets/TextureLoader.h"

#include "assets/JpegDecode.h"

bool LoadMaskedTexture(TextureImage* image, const char* colourName, const char* maskName) {
    return DecodeMaskedTexture(image, colourName, maskName) && UploadTexture(image);
}

bool LoadTexture(TextureImage* image, const char* name) {
    return DecodeTexture(image, name) && UploadTexture(image);
}
