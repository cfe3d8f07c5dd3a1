// Parsing user.reg: the header, [key] sections, and value lines of the forms
// "name"="text", dword:, hex: and hex(type): with continuation lines, @ for the
// default value and - for a deleted one. Comments, blank lines and anything not
// understood are kept as lines that carry no value.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/x11/settings/registry_format.h"
#include "platform/x11/settings/registry_text.h"

namespace regfile {

const char kHeader[] = "Windows Registry Editor Version 5.00";

namespace {

const char kRoot[] = "HKEY_CURRENT_USER";
const char kUtf8Bom[] = "\xef\xbb\xbf";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One to `maxDigits` hex digits and nothing else.
bool ParseHex(std::string_view s, size_t maxDigits, DWORD* value) {
    if (s.empty() || s.size() > maxDigits) return false;
    *value = 0;
    for (char c : s) {
        if (HexDigit(c) < 0) return false;
        *value = (*value << 4) | DWORD(HexDigit(c));
    }
    return true;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

std::string_view Content(const Document& doc, size_t line) {
    const Line& l = doc.lines[line];
    return Trim(std::string_view(doc.text).substr(l.begin, l.end - l.begin));
}

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    for (size_t begin = 0; begin < text.size();) {
        Line line;
        line.begin = begin;
        size_t newline = text.find('\n', begin);
        if (newline == std::string::npos) {
            line.end = line.next = text.size();
        } else {
            line.next = newline + 1;
            line.end = (newline > begin && text[newline - 1] == '\r') ? newline - 1 : newline;
        }
        lines.push_back(line);
        begin = line.next;
    }
    return lines;
}

// A quoted string at s[*pos] with \\ and \" escapes; *pos ends past the closing quote.
bool ParseQuoted(std::string_view s, size_t* pos, std::string* out) {
    if (*pos >= s.size() || s[*pos] != '"') return false;
    out->clear();
    for (size_t i = *pos + 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            *pos = i + 1;
            return true;
        }
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
        *out += s[i];
    }
    return false;
}

// Appends one line of a comma-separated byte list; a final \ continues it.
bool ParseHexLine(std::string_view s, std::string* bytes, bool* more) {
    s = Trim(s);
    *more = !s.empty() && s.back() == '\\';
    if (*more) s = Trim(s.substr(0, s.size() - 1));
    for (size_t pos = 0; pos < s.size();) {
        size_t comma = s.find(',', pos);
        DWORD byte = 0;
        if (!ParseHex(Trim(s.substr(pos, comma == std::string_view::npos ? comma : comma - pos)), 2, &byte))
            return false;
        *bytes += char(byte);
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    return true;
}

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The list after hex: or hex(type):, taking continuation lines into the entry.
bool ParseHexList(const Document& doc, std::string_view first, Entry* entry) {
    bool more = false;
    if (!ParseHexLine(first, &entry->value.data, &more)) return false;
    while (more) {
        size_t next = entry->lastLine + 1;
        if (next >= doc.lines.size() || !ParseHexLine(Content(doc, next), &entry->value.data, &more))
            return false;  // cut off: the line that follows is read on its own
        entry->lastLine = next;
    }
    return true;
}

// hex: is REG_BINARY, hex(N): type N. The file holds text types as UTF-16LE;
// the 8-bit calls see them as UTF-8.
bool ParseHexData(const Document& doc, std::string_view data, Entry* entry) {
    data.remove_prefix(3);  // "hex"
    entry->value.type = REG_BINARY;
    if (!data.empty() && data.front() == '(') {
        size_t close = data.find(')');
        if (close == std::string_view::npos || !ParseHex(data.substr(1, close - 1), 8, &entry->value.type))
            return false;
        data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':' || !ParseHexList(doc, data.substr(1), entry)) return false;
    if (IsText(entry->value.type) && entry->value.data.size() % 2 == 0)
        entry->value.data = Utf16ToUtf8(entry->value.data);
    return true;
}

bool ParseData(const Document& doc, std::string_view data, Entry* entry) {
    Value& value = entry->value;
    if (data == "-") {
        value.removed = true;
        return true;
    }
    if (!data.empty() && data.front() == '"') {
        size_t pos = 0;
        if (!ParseQuoted(data, &pos, &value.data) || !Trim(data.substr(pos)).empty()) return false;
        value.type = REG_SZ;
        value.data += '\0';
        return true;
    }
    if (StartsWithNoCase(data, "dword:")) {
        DWORD number = 0;
        if (!ParseHex(Trim(data.substr(6)), 8, &number)) return false;
        value.type = REG_DWORD;
        value.data.assign(reinterpret_cast<const char*>(&number), sizeof(number));  // little-endian
        return true;
    }
    return StartsWithNoCase(data, "hex") && ParseHexData(doc, data, entry);
}

// A value line: a quoted name or @, then =, then the data. False when the line
// is no value line at all; an entry whose data does not parse is unreadable.
bool ParseEntry(const Document& doc, size_t line, Entry* entry) {
    std::string_view s = Content(doc, line);
    size_t pos = 0;
    if (s.front() == '@')
        pos = 1;
    else if (!ParseQuoted(s, &pos, &entry->value.name))
        return false;
    s = Trim(s.substr(pos));
    if (s.empty() || s.front() != '=') return false;
    entry->firstLine = entry->lastLine = line;
    entry->readable = ParseData(doc, Trim(s.substr(1)), entry);
    return true;
}

// [HKEY_CURRENT_USER\path]; other roots, deletions ([-...]) and broken lines are unusable.
Section ParseSection(std::string_view s, size_t line) {
    Section section;
    section.lastLine = line;
    size_t close = s.rfind(']');
    if (close == std::string_view::npos || !Trim(s.substr(close + 1)).empty()) return section;
    std::string_view path = s.substr(1, close - 1);
    std::string_view root = kRoot;
    if (!StartsWithNoCase(path, root)) return section;
    if (path.size() > root.size() && path[root.size()] != '\\') return section;
    section.key = std::string(path.substr(std::min(path.size(), root.size() + 1)));
    section.usable = true;
    return section;
}

// The header from the line's first byte (after a UTF-8 byte-order mark), then
// only white space.
bool IsHeader(const Document& doc) {
    std::string_view first = std::string_view(doc.text).substr(0, doc.lines[0].end);
    if (first.substr(0, 3) == kUtf8Bom) first.remove_prefix(3);
    size_t length = std::strlen(kHeader);
    return first.substr(0, length) == kHeader && Trim(first.substr(length)).empty();
}

bool IsSameOrBelow(const std::string& sectionKey, const std::string& key) {
    if (sectionKey.size() < key.size() || !SameText(std::string_view(sectionKey).substr(0, key.size()), key))
        return false;
    return sectionKey.size() == key.size() || sectionKey[key.size()] == '\\';
}

void ParseBody(Document* doc) {
    bool inSection = false;
    for (size_t line = 1; line < doc->lines.size(); ++line) {
        std::string_view s = Content(*doc, line);
        if (s.empty() || s.front() == ';') continue;
        if (s.front() == '[') {
            doc->sections.push_back(ParseSection(s, line));
            inSection = true;
            continue;
        }
        if (!inSection) continue;
        Section& section = doc->sections.back();
        Entry entry;
        entry.section = doc->sections.size() - 1;
        if (section.usable && (s.front() == '"' || s.front() == '@') && ParseEntry(*doc, line, &entry)) {
            line = entry.lastLine;
            doc->entries.push_back(std::move(entry));
        }
        section.lastLine = line;
    }
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
    return SameText(a, b);
}

bool ParseDocument(const std::string& text, Document* doc, std::string* why) {
    *doc = Document();
    if (std::memchr(text.data(), '\0', text.size()) != nullptr) {
        *why = "it holds NUL bytes, so it is not a text file";
        return false;
    }
    doc->text = text;
    doc->lines = SplitLines(text);
    if (doc->lines.empty() || !IsHeader(*doc)) {
        *why = std::string("its first line is not \"") + kHeader + "\"";
        return false;
    }
    const Line& header = doc->lines[0];
    doc->eol = header.next > header.end ? text.substr(header.end, header.next - header.end) : "\r\n";
    ParseBody(doc);
    return true;
}

std::string EmptyDocumentText() {
    return std::string(kHeader) + "\r\n";
}

bool HasKey(const Document& doc, const std::string& key) {
    for (const Section& section : doc.sections)
        if (section.usable && IsSameOrBelow(section.key, key)) return true;
    return false;
}

const Value* FindValue(const Document& doc, const std::string& key, const std::string& name) {
    for (auto entry = doc.entries.rbegin(); entry != doc.entries.rend(); ++entry) {
        if (entry->readable && SameName(entry->value.name, name) && SameName(doc.sections[entry->section].key, key))
            return entry->value.removed ? nullptr : &entry->value;
    }
    return nullptr;
}

}  // namespace regfile
