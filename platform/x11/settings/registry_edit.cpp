// Edits of user.reg that touch as little as possible: one value line is
// replaced or inserted, or one section is appended; every other byte stays.
#include <cstdio>
#include <string_view>

#include "platform/x11/settings/registry_format.h"

namespace regfile {

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string DwordLine(const std::string& name, DWORD value) {
    char number[16];
    std::snprintf(number, sizeof(number), "%08x", unsigned(value));
    return (name.empty() ? std::string("@") : Quoted(name)) + "=dword:" + number;
}

bool IsBlankLine(const Document& doc, const Line& line) {
    return doc.text.find_first_not_of(" \t\r", line.begin) >= line.end;
}

// A line ending in \ continues a hex list into the next line.
bool ContinuesList(const Document& doc, const Line& line) {
    std::string_view s = std::string_view(doc.text).substr(line.begin, line.end - line.begin);
    size_t last = s.find_last_not_of(" \t\r");
    return last != std::string_view::npos && s[last] == '\\';
}

// The last entry for the value, readable or not: the line to replace.
const Entry* LastEntry(const Document& doc, const std::string& key, const std::string& name) {
    for (auto entry = doc.entries.rbegin(); entry != doc.entries.rend(); ++entry)
        if (SameName(entry->value.name, name) && SameName(doc.sections[entry->section].key, key)) return &*entry;
    return nullptr;
}

const Section* LastSection(const Document& doc, const std::string& key) {
    for (auto section = doc.sections.rbegin(); section != doc.sections.rend(); ++section)
        if (section->usable && SameName(section->key, key)) return &*section;
    return nullptr;
}

bool IsDword(const Entry& entry, DWORD value) {
    const Value& v = entry.value;
    return entry.readable && !v.removed && v.type == REG_DWORD &&
           v.data == std::string(reinterpret_cast<const char*>(&value), sizeof(value));
}

// Replaces the entry's lines, keeping the last line's terminator.
std::string Replace(const Document& doc, const Entry& entry, const std::string& line) {
    const std::string& text = doc.text;
    return text.substr(0, doc.lines[entry.firstLine].begin) + line + text.substr(doc.lines[entry.lastLine].end);
}

std::string InsertAfter(const Document& doc, size_t after, const std::string& line) {
    const Line& previous = doc.lines[after];
    std::string terminator = previous.next == previous.end ? doc.eol : "";  // the file's last line had none
    return doc.text.substr(0, previous.next) + terminator + line + doc.eol + doc.text.substr(previous.next);
}

// Appends "[key]", the line if any, and a blank line, after a blank line;
// directly after a list left open at the end, which a blank line would complete.
std::string AppendSection(const Document& doc, const std::string& key, const std::string& line) {
    std::string text = doc.text;
    const Line& last = doc.lines.back();
    if (last.next == last.end) text += doc.eol;
    if (!IsBlankLine(doc, last) && !ContinuesList(doc, last)) text += doc.eol;
    text += "[HKEY_CURRENT_USER\\" + key + "]" + doc.eol;
    if (!line.empty()) text += line + doc.eol;
    return text + doc.eol;
}

}  // namespace

std::string WithKey(const Document& doc, const std::string& key) {
    return HasKey(doc, key) ? doc.text : AppendSection(doc, key, "");
}

std::string WithDwordValue(const Document& doc, const std::string& key, const std::string& name, DWORD value) {
    if (const Entry* entry = LastEntry(doc, key, name)) {
        if (IsDword(*entry, value)) return doc.text;  // already so: keep the line as written
        return Replace(doc, *entry, DwordLine(entry->value.name, value));
    }
    std::string line = DwordLine(name, value);
    if (const Section* section = LastSection(doc, key)) return InsertAfter(doc, section->lastLine, line);
    return AppendSection(doc, key, line);
}

}  // namespace regfile
