// The text of user.reg in the format the Windows registry editor exports:
// parsing into the keys and values of HKEY_CURRENT_USER, and edits that splice
// single lines so that every other byte of the file stays as it was.
#pragma once

#include <string>
#include <vector>

#include "platform/x11/win32.h"

namespace regfile {

extern const char kHeader[];  // the first line of every file

struct Value {
    std::string name;  // as spelled in the file; empty for the default value (@)
    DWORD type = REG_NONE;
    std::string data;      // as the 8-bit calls return it: text types in 8-bit text, with their NULs
    bool removed = false;  // "name"=- : the file deletes the value
};

struct Line {
    size_t begin = 0;  // first byte of the line
    size_t end = 0;    // where the line terminator (LF or CR LF) starts
    size_t next = 0;   // first byte after the terminator
};

// A [key] line and the lines up to the next one.
struct Section {
    std::string key;      // the path below HKEY_CURRENT_USER
    bool usable = false;  // a well-formed section of HKEY_CURRENT_USER
    size_t lastLine = 0;  // its header or its last line that is neither blank nor a comment
};

// A value line with its continuation lines.
struct Entry {
    size_t section = 0;
    size_t firstLine = 0;
    size_t lastLine = 0;
    bool readable = false;  // its data parsed
    Value value;
};

struct Document {
    std::string text;
    std::vector<Line> lines;
    std::vector<Section> sections;
    std::vector<Entry> entries;
    std::string eol;  // the header line's terminator, used for lines added
};

// Parses `text`. Fails, saying why, when it is not a registry file at all:
// NUL bytes, or a first line that is not the header. Lines it does not
// understand are kept as they are and carry no value.
bool ParseDocument(const std::string& text, Document* doc, std::string* why);

// The text of a file that holds no keys yet.
std::string EmptyDocumentText();

// Names of keys and values compare without regard to ASCII letter case.
bool SameName(const std::string& a, const std::string& b);

// Whether the key exists: it has a section, or one of its subkeys has.
bool HasKey(const Document& doc, const std::string& key);

// The value as importing the file would leave it: the last readable line for
// the name decides. Null when there is none or it deletes the value.
const Value* FindValue(const Document& doc, const std::string& key, const std::string& name);

// The text with a section for `key` appended, or unchanged when the key exists.
std::string WithKey(const Document& doc, const std::string& key);

// The text with the value set to a REG_DWORD: its last line is replaced, or a
// line is added at the end of the key's last section, or a section is appended.
std::string WithDwordValue(const Document& doc, const std::string& key, const std::string& name, DWORD value);

}  // namespace regfile
