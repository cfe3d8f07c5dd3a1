#include "assets/DecodeSession.h"

#include <cstdlib>
#include <new>

#include "app/SaverMode.h"

namespace {

bool HasShape(const jpeg_decompress_struct& header, const ImageShape& wanted) {
    if (header.image_width > maxImageSide || header.image_height > maxImageSide) return false;
    if (wanted.components != 0 && header.num_components != wanted.components) return false;
    if (wanted.width != 0 && header.image_width != wanted.width) return false;
    if (wanted.height != 0 && header.image_height != wanted.height) return false;
    return true;
}

}  // namespace

DecodeSession::DecodeSession() {
    decompressor.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = LoaderErrorExit;
}

void DecodeSession::Create() {
    jpeg_create_decompress(&decompressor);
}

bool DecodeSession::Read(const char* name, const ImageShape& wanted) {
    HRSRC resource = FindResourceA(moduleInstance, name, RT_RCDATA);
    if (resource == nullptr) return false;
    DWORD size = SizeofResource(moduleInstance, resource);
    if (size == 0) return false;
    HGLOBAL global = LoadResource(moduleInstance, resource);
    if (global == nullptr) return false;
    const void* bytes = LockResource(global);
    if (bytes == nullptr) return false;
    held = new (std::nothrow) ResourceSource{size, static_cast<const JOCTET*>(bytes)};
    if (held == nullptr) return false;

    AttachResourceSource(&decompressor, held);
    jpeg_read_header(&decompressor, TRUE);
    // Refused here, before any row is decoded into a buffer it would overrun.
    if (!HasShape(decompressor, wanted)) return false;
    jpeg_start_decompress(&decompressor);
    return true;
}

void DecodeSession::FinishImage() {
    jpeg_finish_decompress(&decompressor);
}

void DecodeSession::ReleaseSource() {
    delete held;
    held = nullptr;
}

void DecodeSession::Destroy() {
    jpeg_destroy_decompress(&decompressor);
    ReleaseSource();
}

bool DecodeSession::Fail(TextureImage* image) {
    Destroy();
    std::free(image->pixels);
    image->pixels = nullptr;
    return false;
}
