// The same decodes straight through libjpeg's own memory source and a plain
// error manager: what the program's decoders must agree with, in result and
// in every pixel. Like them it reads a colour image and its mask through one
// decompressor (tables an image defines stay for the next one) and refuses
// what they refuse: frames wider or taller than maxImageSide, and images not
// of the wanted shape.
#pragma once

#include <csetjmp>
#include <cstdint>
#include <vector>

#include "assets/DecodeSession.h"

struct ReferenceImage {
    bool decoded = false;
    JDIMENSION width = 0;
    JDIMENSION height = 0;
    int components = 0;
    std::vector<uint8_t> pixels;  // rows top first, no gaps
};

class ReferenceDecoder {
public:
    ReferenceDecoder() {
        decoder_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = Exit;
        errors_.pub.output_message = [](j_common_ptr) {};
        jpeg_create_decompress(&decoder_);
    }
    ~ReferenceDecoder() { jpeg_destroy_decompress(&decoder_); }
    ReferenceDecoder(const ReferenceDecoder&) = delete;
    ReferenceDecoder& operator=(const ReferenceDecoder&) = delete;

    // Decodes the next image into `image` (the caller's, so that the
    // recovery finds what was set before the jump); false on any failure,
    // after which the decoder takes no more images.
    bool Decode(const uint8_t* data, size_t size, const ImageShape& wanted, ReferenceImage* image) {
        if (setjmp(errors_.recovery) != 0) {
            *image = ReferenceImage();
            return false;
        }
        jpeg_mem_src(&decoder_, data, static_cast<unsigned long>(size));
        jpeg_read_header(&decoder_, TRUE);
        if (!Fits(wanted)) return false;
        jpeg_start_decompress(&decoder_);
        image->width = decoder_.output_width;
        image->height = decoder_.output_height;
        image->components = decoder_.output_components;
        size_t rowBytes = size_t(image->width) * size_t(image->components);
        image->pixels.resize(rowBytes * image->height);
        while (decoder_.output_scanline < decoder_.output_height) {
            JSAMPROW row = image->pixels.data() + size_t(decoder_.output_scanline) * rowBytes;
            jpeg_read_scanlines(&decoder_, &row, 1);
        }
        jpeg_finish_decompress(&decoder_);
        image->decoded = true;
        return true;
    }

private:
    struct Errors {
        jpeg_error_mgr pub;
        std::jmp_buf recovery;
    };

    [[noreturn]] static void Exit(j_common_ptr decoder) {
        std::longjmp(reinterpret_cast<Errors*>(decoder->err)->recovery, 1);
    }

    bool Fits(const ImageShape& wanted) const {
        return decoder_.image_width <= maxImageSide && decoder_.image_height <= maxImageSide &&
               (wanted.components == 0 || decoder_.num_components == wanted.components) &&
               (wanted.width == 0 || decoder_.image_width == wanted.width) &&
               (wanted.height == 0 || decoder_.image_height == wanted.height);
    }

    jpeg_decompress_struct decoder_{};
    Errors errors_;
};
