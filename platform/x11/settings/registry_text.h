// Text encodings of user.reg. The file is 8-bit text (ASCII or UTF-8) or, as
// the Windows registry editor exports it by default, UTF-16LE with a byte-order
// mark. Parsing and editing work on 8-bit text; UTF-16 files are converted to
// UTF-8 and back so that every byte not edited comes back unchanged.
#pragma once

#include <string>

namespace regfile {

struct FileText {
    std::string text;    // 8-bit text, without the UTF-16 byte-order mark
    bool utf16 = false;  // stored as UTF-16LE with a byte-order mark
};

// Decodes the bytes of the file. Fails, saying why, only for a UTF-16 file
// with an odd number of bytes.
bool DecodeFileText(const std::string& bytes, FileText* result, std::string* why);

// The bytes to store for `file`: its text as is, or the byte-order mark and
// the text in UTF-16LE.
std::string EncodeFileText(const FileText& file);

// UTF-16LE code units to UTF-8. A lone surrogate becomes its three-byte form,
// so that EncodeFileText restores it.
std::string Utf16ToUtf8(const std::string& units);

}  // namespace regfile
