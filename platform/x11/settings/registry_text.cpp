#include "platform/x11/settings/registry_text.h"

#include <cstdint>

namespace regfile {

namespace {

const char kUtf16Bom[] = "\xff\xfe";

void AppendUtf8(uint32_t codePoint, std::string* out) {
    if (codePoint < 0x80) {
        *out += char(codePoint);
    } else if (codePoint < 0x800) {
        *out += char(0xc0 | (codePoint >> 6));
        *out += char(0x80 | (codePoint & 0x3f));
    } else if (codePoint < 0x10000) {
        *out += char(0xe0 | (codePoint >> 12));
        *out += char(0x80 | ((codePoint >> 6) & 0x3f));
        *out += char(0x80 | (codePoint & 0x3f));
    } else {
        *out += char(0xf0 | (codePoint >> 18));
        *out += char(0x80 | ((codePoint >> 12) & 0x3f));
        *out += char(0x80 | ((codePoint >> 6) & 0x3f));
        *out += char(0x80 | (codePoint & 0x3f));
    }
}

void AppendUnit(uint32_t unit, std::string* out) {
    *out += char(unit & 0xff);
    *out += char(unit >> 8);
}

void AppendUtf16(uint32_t codePoint, std::string* out) {
    if (codePoint < 0x10000) {
        AppendUnit(codePoint, out);
        return;
    }
    codePoint -= 0x10000;
    AppendUnit(0xd800 | (codePoint >> 10), out);
    AppendUnit(0xdc00 | (codePoint & 0x3ff), out);
}

// Reads one UTF-8 sequence at `pos` (surrogates in their three-byte form
// included). A byte that starts no valid sequence reads as U+FFFD.
uint32_t NextCodePoint(const std::string& text, size_t* pos) {
    auto byte = [&](size_t i) { return i < text.size() ? uint8_t(text[i]) : 0u; };
    uint32_t lead = byte(*pos);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0) {
        ++*pos;
        return 0xfffd;
    }
    uint32_t codePoint = length == 1 ? lead : lead & (0x7f >> length);
    for (int i = 1; i < length; ++i) {
        uint32_t next = byte(*pos + i);
        if ((next & 0xc0) != 0x80) {
            ++*pos;
            return 0xfffd;
        }
        codePoint = (codePoint << 6) | (next & 0x3f);
    }
    *pos += length;
    return codePoint <= 0x10ffff ? codePoint : 0xfffd;
}

}  // namespace

std::string Utf16ToUtf8(const std::string& units) {
    std::string out;
    auto unitAt = [&](size_t i) { return uint32_t(uint8_t(units[i])) | uint32_t(uint8_t(units[i + 1])) << 8; };
    for (size_t i = 0; i + 1 < units.size(); i += 2) {
        uint32_t unit = unitAt(i);
        bool high = unit >= 0xd800 && unit < 0xdc00;
        if (high && i + 3 < units.size()) {
            uint32_t low = unitAt(i + 2);
            if (low >= 0xdc00 && low < 0xe000) {
                AppendUtf8(0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00), &out);
                i += 2;
                continue;
            }
        }
        AppendUtf8(unit, &out);
    }
    return out;
}

bool DecodeFileText(const std::string& bytes, FileText* result, std::string* why) {
    if (bytes.compare(0, 2, kUtf16Bom) != 0) {
        result->text = bytes;
        result->utf16 = false;
        return true;
    }
    if (bytes.size() % 2 != 0) {
        *why = "it is UTF-16 text cut off in the middle of a character";
        return false;
    }
    result->text = Utf16ToUtf8(bytes.substr(2));
    result->utf16 = true;
    return true;
}

std::string EncodeFileText(const FileText& file) {
    if (!file.utf16) return file.text;
    std::string out = kUtf16Bom;
    for (size_t pos = 0; pos < file.text.size();) AppendUtf16(NextCodePoint(file.text, &pos), &out);
    return out;
}

}  // namespace regfile
