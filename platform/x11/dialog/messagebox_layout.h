// The layout of a message box: its text wrapped into lines above one OK button.
#pragma once

#include <functional>
#include <string>

#include "platform/x11/dialog/dialog_template.h"

namespace standin {

// Width of a line of text in pixels.
using TextMeasure = std::function<int(const std::string&)>;

// Breaks `text` at its newlines and, between words, wherever a line would be
// wider than `maxWidth` pixels; a word wider than that keeps a line to itself.
std::string WrapText(const std::string& text, int maxWidth, const TextMeasure& measure);

DialogLayout LayOutMessageBox(const std::string& text, const std::string& caption, int lineHeight,
                              const TextMeasure& measure);

}  // namespace standin
