#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

#include "platform/x11/win32.h"
#include "platform/x11/window/window_icon.h"

// The program icon as window managers get it, against what an independent
// decoder (ImageMagick) reads from assets/icon/orchardia.ico.
TEST(WindowIconTest, DecodesBothImagesOfTheProgramIcon) {
    const std::vector<long> icon = standin::ProgramIcon();
    ASSERT_EQ(icon.size(), 2u + 32 * 32 + 2 + 16 * 16);
    const struct {
        size_t start;
        long side;
        long opaque;
        unsigned long long argbSum;
        std::vector<std::array<long, 3>> pixels;  // x, y from the top left, ARGB
    } images[] = {
        {0, 32, 756, 3240348067728ull,
         {{0, 0, 0}, {16, 0, 0xFF000000}, {9, 5, 0xFF800000}, {22, 5, 0xFF008000}, {5, 9, 0xFF008000},
          {9, 26, 0xFF008000}, {16, 16, 0xFFFFFF00}, {25, 20, 0xFFFF00FF}}},
        {1026, 16, 188, 805774947296ull, {{0, 0, 0}, {7, 1, 0xFF800000}, {8, 1, 0xFF008000}, {8, 8, 0xFFFFFF00}}},
    };
    for (const auto& image : images) {
        EXPECT_EQ(icon[image.start], image.side);
        EXPECT_EQ(icon[image.start + 1], image.side);
        auto first = icon.begin() + long(image.start) + 2, last = first + image.side * image.side;
        EXPECT_EQ(std::count_if(first, last, [](long argb) { return argb != 0; }), image.opaque);
        EXPECT_EQ(std::accumulate(first, last, 0ull), image.argbSum);
        for (const auto& p : image.pixels) EXPECT_EQ(first[p[1] * image.side + p[0]], p[2]) << p[0] << "," << p[1];
    }
}

// A malformed icon gives no icon at all, never a part of one.
TEST(WindowIconTest, RefusesAMalformedIcon) {
    HRSRC resource = FindResourceA(nullptr, "ORCHARDIA_ICON", RT_RCDATA);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
    const size_t whole = SizeofResource(nullptr, resource), padded = 70000;  // room for a 257-pixel image
    const struct {
        size_t at;
        unsigned value;  // written little-endian in `width` bytes
        int width;
        size_t size;
        bool decodes;
    } cases[] = {
        {0, 0, 0, whole, true},     {0, 1, 2, whole, false},      {2, 2, 2, whole, false},  // reserved, a cursor
        {4, 3, 2, whole, false},    {0, 0, 0, 5, false},          {0, 0, 0, 37, false},     // a third image, cut
        {0, 0, 0, whole - 1, false}, {38, 41, 4, whole, false},   {52, 8, 2, whole, false}, // header size, 8 bits
        {42, 0, 4, whole, false},   {42, 256, 4, padded, true},   {42, 257, 4, padded, false},
        {46, 1, 4, whole, false},   {46, 512, 4, padded, true},   {46, 514, 4, padded, false},  // height doubled
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> icon(bytes, bytes + whole);
        icon.resize(c.size);
        for (int i = 0; i < c.width; ++i) icon[c.at + size_t(i)] = (c.value >> (8 * i)) & 0xFF;
        EXPECT_EQ(!standin::IconProperty(icon.data(), icon.size()).empty(), c.decodes)
            << c.value << " at " << c.at << ", " << c.size << " bytes";
    }
}
