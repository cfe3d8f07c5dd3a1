#include "platform/x11/dialog/messagebox_layout.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace standin {

namespace {

constexpr int kMargin = 12;          // pixels around the text
constexpr int kButtonGap = 14;       // pixels between the text and the button
constexpr int kButtonWidth = 75;     // 50 x 14 dialog units
constexpr int kButtonHeight = 23;
constexpr int kMaxTextWidth = 480;   // pixels before a line wraps
constexpr int kCaptionAllowance = 64;  // pixels the frame's buttons take beside the caption

std::vector<std::string> Paragraphs(const std::string& text) {
    std::vector<std::string> paragraphs(1);
    for (char c : text) {
        if (c == '\n') {
            paragraphs.emplace_back();
        } else if (c != '\r') {
            paragraphs.back() += c;
        }
    }
    return paragraphs;
}

void WrapParagraph(const std::string& paragraph, int maxWidth, const TextMeasure& measure,
                   std::vector<std::string>* lines) {
    std::istringstream words(paragraph);
    std::string word, line;
    while (words >> word) {
        std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure(longer) > maxWidth) {
            lines->push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    lines->push_back(line);
}

}  // namespace

std::string WrapText(const std::string& text, int maxWidth, const TextMeasure& measure) {
    std::vector<std::string> lines;
    for (const std::string& paragraph : Paragraphs(text)) WrapParagraph(paragraph, maxWidth, measure, &lines);
    std::string wrapped;
    for (size_t i = 0; i < lines.size(); ++i) wrapped += (i > 0 ? "\n" : "") + lines[i];
    return wrapped;
}

DialogLayout LayOutMessageBox(const std::string& text, const std::string& caption, int lineHeight,
                              const TextMeasure& measure) {
    std::string wrapped = WrapText(text, kMaxTextWidth, measure);
    int textWidth = 0, lineCount = 0;
    std::istringstream lines(wrapped);
    for (std::string line; std::getline(lines, line); ++lineCount) textWidth = std::max(textWidth, measure(line));
    lineCount = std::max(lineCount, 1);
    int textHeight = lineCount * lineHeight;

    DialogLayout layout;
    layout.caption = caption;
    layout.width = std::max({textWidth, kButtonWidth, measure(caption) + kCaptionAllowance}) + 2 * kMargin;
    layout.height = kMargin + textHeight + kButtonGap + kButtonHeight + kMargin;
    PixelRect textRect = {kMargin, kMargin, layout.width - 2 * kMargin, textHeight};
    PixelRect buttonRect = {(layout.width - kButtonWidth) / 2, layout.height - kMargin - kButtonHeight, kButtonWidth,
                            kButtonHeight};
    layout.items.push_back({wrapped, -1, ControlKind::Static, false, textRect});
    layout.items.push_back({"OK", IDOK, ControlKind::DefaultPushButton, true, buttonRect});
    return layout;
}

}  // namespace standin
