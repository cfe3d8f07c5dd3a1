#include "platform/x11/host/xscreensaver_programs.h"

#include <algorithm>
#include <vector>

namespace standin {

const char kOrchardiaEntry[] = "GL: orchardia --root";

namespace {

const char kSpaces[] = " \t";

// The resource's lines without their newlines.
std::vector<std::string> Lines(const std::string& resource) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < resource.size();) {
        size_t newline = std::min(resource.find('\n', start), resource.size());
        lines.push_back(resource.substr(start, newline - start));
        start = newline + 1;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(kSpaces);
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

// The entry a line holds, without the continuation, the \n, the disabling '-'
// and spaces; the resource's first line holds what follows its colon.
std::string EntryText(const std::string& line, bool first) {
    std::string entry = first ? line.substr(line.find(':') + 1) : line;
    if (EndsWith(entry, "\\")) entry.pop_back();
    entry = Trimmed(entry);
    if (EndsWith(entry, "\\n")) entry.resize(entry.size() - 2);
    entry = Trimmed(entry);
    if (!entry.empty() && entry[0] == '-') entry = Trimmed(entry.substr(1));
    return entry;
}

// Whether the entry's command is orchardia: past a "visual:" and a "name" in
// quotes, the program's file name.
bool RunsOrchardia(std::string entry) {
    size_t word = entry.find_first_of(kSpaces);
    if (word != std::string::npos && word > 0 && entry[word - 1] == ':') entry = Trimmed(entry.substr(word));
    if (!entry.empty() && entry[0] == '"') entry = Trimmed(entry.substr(entry.find('"', 1) + 1));
    std::string program = entry.substr(0, entry.find_first_of(kSpaces));
    return program.substr(program.find_last_of('/') + 1) == "orchardia";
}

bool IsEntryLine(const std::vector<std::string>& lines, size_t i) {
    return RunsOrchardia(EntryText(lines[i], i == 0));
}

}  // namespace

// Lines that a backslash continues belong to the resource above them, and so
// never start one.
bool FindProgramsResource(const std::string& text, const char* name, size_t* begin, size_t* end, bool* twice) {
    bool found = false, inside = false, continued = false;
    *twice = false;
    for (size_t start = 0; start < text.size();) {
        size_t lineEnd = std::min(text.find('\n', start), text.size());
        size_t colon = text.find(':', start);
        if (!continued && colon < lineEnd && Trimmed(text.substr(start, colon - start)) == name) {
            *twice = found;
            if (found) return true;
            found = inside = true;
            *begin = start;
        }
        continued = lineEnd > start && text[lineEnd - 1] == '\\';
        start = std::min(lineEnd + 1, text.size());
        if (inside) *end = start;
        inside = inside && continued;
    }
    return found;
}

bool ListsOrchardia(const std::string& resource) {
    std::vector<std::string> lines = Lines(resource);
    for (size_t i = 0; i < lines.size(); ++i)
        if (IsEntryLine(lines, i)) return true;
    return false;
}

// A list that ends on a blank continued line gets the entry before that line;
// otherwise the last line is continued onto the entry.
std::string AppendOrchardia(const std::string& resource) {
    std::vector<std::string> lines = Lines(resource);
    const std::string entry = std::string("  ") + kOrchardiaEntry + " \\n";
    std::string& last = lines.back();
    std::string content = EntryText(last, lines.size() == 1);
    if (content.empty() && lines.size() > 1) {
        lines.insert(lines.end() - 1, entry + "\\");
        return Joined(lines);
    }
    last += content.empty() || EndsWith(Trimmed(last), "\\n") ? "\\" : " \\n\\";
    lines.push_back(entry);
    return Joined(lines);
}

// Taking out the last line also ends the continuation of the line before,
// which undoes what AppendOrchardia did.
std::string RemoveOrchardia(const std::string& resource, int* removed) {
    std::vector<std::string> lines = Lines(resource);
    *removed = 0;
    for (size_t i = lines.size(); i-- > 0;) {
        if (!IsEntryLine(lines, i)) continue;
        ++*removed;
        if (i == 0) {
            lines[0] = lines[0].substr(0, lines[0].find(':') + 1) + (lines.size() > 1 ? "\\" : "");
            continue;
        }
        bool wasLast = i + 1 == lines.size();
        lines.erase(lines.begin() + long(i));
        if (wasLast && EndsWith(lines.back(), "\\")) lines.back().pop_back();
    }
    return Joined(lines);
}

}  // namespace standin
