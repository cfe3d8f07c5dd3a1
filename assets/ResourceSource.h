// The in-memory data source through which libjpeg reads an embedded block.
#pragma once

#include "assets/Jpeg.h"

// One embedded JPEG block being read; the bytes belong to the module.
struct ResourceSource {
    DWORD size;
    const JOCTET* bytes;
};

// libjpeg's source manager followed by the block it was last pointed at.
// Lives in the decompressor's permanent pool and is reused for every image
// read through that decompressor.
struct ResourceSourceManager {
    jpeg_source_mgr pub;
    ResourceSource* source;
};

// Points the decompressor's data source at `source`, from its first byte.
void AttachResourceSource(j_decompress_ptr decompressor, ResourceSource* source);
