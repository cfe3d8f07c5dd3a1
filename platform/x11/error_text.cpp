#include "platform/x11/error_text.h"

#include <cstring>
#include <map>

#include "platform/x11/unsupported.h"

namespace {

std::map<LONG, std::string> recorded;

const char* FixedText(LONG code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
            return "The system cannot find the file specified.";
        case ERROR_ACCESS_DENIED:
            return "Access is denied.";
        case ERROR_INVALID_HANDLE:
            return "The handle is invalid.";
        case ERROR_INVALID_PARAMETER:
            return "The parameter is incorrect.";
        case ERROR_BAD_PATHNAME:
            return "The specified path is invalid.";
        case ERROR_MORE_DATA:
            return "More data is available.";
        case ERROR_BADDB:
            return "The configuration registry database is corrupt.";
        case ERROR_REGISTRY_IO_FAILED:
            return "An I/O operation initiated by the registry failed unrecoverably.";
    }
    return nullptr;
}

}  // namespace

void standin::RecordErrorText(LONG code, const std::string& text) {
    recorded[code] = text;
}

// Copies the text with its terminating NUL; 0 when there is none for the code
// or the buffer is too small, as Windows does.
DWORD WINAPI FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                            DWORD size, va_list* arguments) {
    if (flags != (FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS))
        standin::Unsupported("FormatMessageA", "flags", flags);
    if (source != nullptr || languageId != 0 || arguments != nullptr)
        standin::Unsupported("FormatMessageA", "a source, language or arguments", 1);
    auto found = recorded.find(LONG(messageId));
    const char* text = found != recorded.end() ? found->second.c_str() : FixedText(LONG(messageId));
    if (text == nullptr || buffer == nullptr || std::strlen(text) >= size) return 0;
    std::memcpy(buffer, text, std::strlen(text) + 1);
    return DWORD(std::strlen(text));
}
