// Skips inputs that would only be slow: a frame header may claim up to
// 8192 x 8192 pixels, which decodes for seconds under the sanitizers and
// takes the same paths as a small frame (loop counters saturate long before).
// Every byte pair FF C0-CF that could start a frame header (DHT C4, JPG C8
// and DAC CC are not frames) is read as one, so no frame the library might
// accept slips through. The atlas images (1024 x 512) exceed the limit, so
// the seeds hold lossless crops of them; the refusal of over-wide images
// (more than 8192 pixels a side) stays reachable with a short frame.
#pragma once

#include <cstddef>
#include <cstdint>

const uint32_t maxFuzzedFramePixels = 1u << 16;

inline bool ClaimsLargeFrame(const uint8_t* data, size_t size) {
    for (size_t i = 0; i + 9 <= size; ++i) {
        if (data[i] != 0xFF || (data[i + 1] & 0xF0) != 0xC0) continue;
        if (data[i + 1] == 0xC4 || data[i + 1] == 0xC8 || data[i + 1] == 0xCC) continue;
        uint32_t height = uint32_t(data[i + 5]) << 8 | data[i + 6];
        uint32_t width = uint32_t(data[i + 7]) << 8 | data[i + 8];
        if (width * height > maxFuzzedFramePixels) return true;
    }
    return false;
}
