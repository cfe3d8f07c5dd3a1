#include "platform/x11/dialog/messagebox_record.h"

#include "platform/x11/testing.h"

namespace {

bool headless = false;
std::string lastText;
std::string lastCaption;

}  // namespace

bool standin::MessageBoxesHeadless() {
    return headless;
}

void standin::RecordMessageBox(const std::string& text, const std::string& caption) {
    lastText = text;
    lastCaption = caption;
}

void standin::SetMessageBoxesHeadless(bool onlyStandardError) {
    headless = onlyStandardError;
}

std::string standin::LastMessageBoxText() {
    return lastText;
}

std::string standin::LastMessageBoxCaption() {
    return lastCaption;
}
