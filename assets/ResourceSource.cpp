#include "assets/ResourceSource.h"

namespace {

// Supplied when the block runs out: the library sees the image end there.
const JOCTET endOfImage[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}

// The whole block is in the buffer from the start, so only a truncated
// stream gets here: warn, and end it with an EOI marker rather than let the
// library read past the block.
boolean FillInputBuffer(j_decompress_ptr decompressor) {
    WARNMS(decompressor, JWRN_JPEG_EOF);
    decompressor->src->next_input_byte = endOfImage;
    decompressor->src->bytes_in_buffer = sizeof(endOfImage);
    return TRUE;
}

// Skips `count` bytes (none when count <= 0), stopping at the end of the data.
void SkipInputData(j_decompress_ptr decompressor, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = decompressor->src;
    size_t step = static_cast<unsigned long>(count) < source->bytes_in_buffer ? size_t(count)
                                                                              : source->bytes_in_buffer;
    source->next_input_byte += step;
    source->bytes_in_buffer -= step;
}

void TermSource(j_decompress_ptr) {}

}  // namespace

void AttachResourceSource(j_decompress_ptr decompressor, ResourceSource* source) {
    if (decompressor->src == nullptr) {
        void* memory = (*decompressor->mem->alloc_small)(reinterpret_cast<j_common_ptr>(decompressor),
                                                          JPOOL_PERMANENT, sizeof(ResourceSourceManager));
        decompressor->src = static_cast<jpeg_source_mgr*>(memory);
    }
    ResourceSourceManager* manager = reinterpret_cast<ResourceSourceManager*>(decompressor->src);
    manager->pub.init_source = InitSource;
    manager->pub.fill_input_buffer = FillInputBuffer;
    manager->pub.skip_input_data = SkipInputData;
    manager->pub.resync_to_restart = jpeg_resync_to_restart;
    manager->pub.term_source = TermSource;
    manager->source = source;
    manager->pub.bytes_in_buffer = source->size;
    manager->pub.next_input_byte = source->bytes;
}
