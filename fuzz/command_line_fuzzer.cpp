// Any bytes as the process command line. The copy is exactly as long as the
// text and its terminator, so a read past the end shows under ASan. The parse
// must end in one of the five modes, with no window for the modes that take none.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/CommandLine.h"

namespace {

HWND ForegroundWindow() {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(0x51DE));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<char[]> line(new char[size + 1]);
    std::memcpy(line.get(), data, size);
    line[size] = '\0';

    ParsedCommandLine parsed = ParseCommandLine(line.get(), ForegroundWindow);
    switch (parsed.mode) {
        case ModeNone:
        case ModeSaver:
            if (parsed.window != nullptr) std::abort();
            break;
        case ModeConfigure:
        case ModeChangePassword:
        case ModePreview:
            break;
        default:
            std::abort();
    }
    return 0;
}
