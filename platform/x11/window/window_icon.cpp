#include "platform/x11/window/window_icon.h"

#include "platform/x11/win32.h"

namespace {

unsigned Read(const unsigned char* bytes, size_t at, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + size_t(i)];
    return value;
}

// One 4-bit image at `at`: BITMAPINFOHEADER (height doubled for the mask), a
// 16-colour palette, the colour rows and the mask rows, both from the bottom.
bool AppendImage(const unsigned char* bytes, size_t size, size_t at, std::vector<long>* property) {
    if (at + 40 + 64 > size || Read(bytes, at, 4) != 40 || Read(bytes, at + 14, 2) != 4) return false;
    unsigned width = Read(bytes, at + 4, 4), height = Read(bytes, at + 8, 4) / 2;
    size_t colourStride = (width * 4 + 31) / 32 * 4, maskStride = (width + 31) / 32 * 4;
    size_t colours = at + 40 + 64, mask = colours + colourStride * height;
    if (width == 0 || width > 256 || height == 0 || height > 256 || mask + maskStride * height > size) return false;
    property->push_back(long(width));
    property->push_back(long(height));
    for (unsigned y = height; y-- > 0;) {
        for (unsigned x = 0; x < width; ++x) {
            unsigned index = (bytes[colours + y * colourStride + x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF;
            bool clear = (bytes[mask + y * maskStride + x / 8] & (0x80 >> (x % 8))) != 0;
            unsigned rgb = Read(bytes, at + 40 + index * 4, 3);  // blue, green, red
            property->push_back(clear ? 0 : long(0xFF000000u | rgb));
        }
    }
    return true;
}

}  // namespace

std::vector<long> standin::IconProperty(const unsigned char* bytes, size_t size) {
    std::vector<long> property;
    if (size < 6 || Read(bytes, 0, 2) != 0 || Read(bytes, 2, 2) != 1) return property;
    unsigned count = Read(bytes, 4, 2);
    for (unsigned i = 0; i < count; ++i) {
        size_t entry = 6 + size_t(i) * 16;
        if (entry + 16 > size || !AppendImage(bytes, size, Read(bytes, entry + 12, 4), &property)) return {};
    }
    return property;
}

std::vector<long> standin::ProgramIcon() {
    HRSRC resource = FindResourceA(nullptr, "ORCHARDIA_ICON", RT_RCDATA);
    HGLOBAL loaded = resource != nullptr ? LoadResource(nullptr, resource) : nullptr;
    if (loaded == nullptr) return {};
    return IconProperty(static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(nullptr, resource));
}
