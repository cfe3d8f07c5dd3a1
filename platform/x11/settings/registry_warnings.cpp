#include "platform/x11/settings/registry_warnings.h"

#include <cstdio>
#include <vector>

namespace regfile {

namespace {

const char kExpectedLine[] = "expected \"name\"=value, a comment (;) or a [key] line; the line is ignored";
const char kExpectedData[] = "=dword: and 1 to 8 hex digits, =hex:bytes or =\"text\"; the line is ignored";

void Warn(const std::string& message) {
    std::fprintf(stderr, "orchardia: %s\n", message.c_str());
}

bool IsBlankOrComment(const std::string& text, const Line& line) {
    size_t first = text.find_first_not_of(" \t\r", line.begin);
    return first >= line.end || text[first] == ';';
}

bool StartsSection(const std::string& text, const Line& line) {
    size_t first = text.find_first_not_of(" \t\r", line.begin);
    return first < line.end && text[first] == '[';
}

// For each line: what it should have been, or empty when it is fine or not in `key`.
std::vector<std::string> ExpectedByLine(const Document& doc, const std::string& key) {
    std::vector<std::string> expected(doc.lines.size());
    size_t section = 0;
    bool inKey = false;
    for (size_t i = 1; i < doc.lines.size(); ++i) {
        if (StartsSection(doc.text, doc.lines[i])) {
            inKey = doc.sections[section].usable && SameName(doc.sections[section].key, key);
            ++section;
        } else if (inKey && !IsBlankOrComment(doc.text, doc.lines[i])) {
            expected[i] = kExpectedLine;
        }
    }
    for (const Entry& entry : doc.entries) {
        bool wrong = !entry.readable && !expected[entry.firstLine].empty();
        for (size_t line = entry.firstLine; line <= entry.lastLine; ++line) expected[line].clear();
        if (wrong) expected[entry.firstLine] = "expected \"" + entry.value.name + "\"" + kExpectedData;
    }
    return expected;
}

}  // namespace

void WarnAboutUnreadLines(const std::string& path, const LoadedFile& loaded, const std::string& key) {
    static std::string lastUnread;  // each key opened reads the file again: say it once
    if (loaded.state == FileState::Unreadable || loaded.state == FileState::Unparseable) {
        std::string message = "settings in " + path + " not read: " + loaded.why + "; the defaults stand";
        if (message != lastUnread) Warn(message);
        lastUnread = message;
        return;
    }
    lastUnread.clear();
    std::vector<std::string> expected = ExpectedByLine(loaded.doc, key);
    for (size_t line = 0; line < expected.size(); ++line)
        if (!expected[line].empty()) Warn(path + ":" + std::to_string(line + 1) + ": " + expected[line]);
}

}  // namespace regfile
