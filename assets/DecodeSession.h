// One loader call's libjpeg state: the decompressor, its error manager with
// the recovery point, and the ResourceSource being read. The loader sets the
// recovery point itself (setjmp must stay in a frame that is still active
// when the library jumps) and calls Fail from it.
#pragma once

#include "assets/LoaderError.h"
#include "assets/ResourceSource.h"
#include "assets/TextureImage.h"

// What an image must be to fit the buffer it is decoded into (0: any).
struct ImageShape {
    int components;
    JDIMENSION width;
    JDIMENSION height;
};

// Neither side of a decoded image may exceed this many pixels: it bounds
// the pixel buffer (256 MiB at most) and keeps its size within 32 bits.
const JDIMENSION maxImageSide = 8192;

struct DecodeSession {
    jpeg_decompress_struct decompressor{};
    LoaderErrorManager errors;
    // Read after a jump to the recovery point, so never only in a register.
    ResourceSource* volatile held = nullptr;

    // The library's standard error routines, with LoaderErrorExit as exit.
    DecodeSession();

    // Creates the decompressor as jpeg_create_decompress does.
    void Create();
    // Finds the named RT_RCDATA resource of the module and starts decoding
    // it: false when it is missing, empty or not of the wanted shape.
    bool Read(const char* name, const ImageShape& wanted);
    // Ends the current image; the decompressor stays for another.
    void FinishImage();
    // Deletes the held ResourceSource, if any.
    void ReleaseSource();
    // Destroys the decompressor (and all the library holds), then the source.
    void Destroy();
    // Cleans up after any failure, the pixel buffer included; returns false.
    bool Fail(TextureImage* image);
};
