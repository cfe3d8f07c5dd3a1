#include <gtest/gtest.h>

#include <string>

#include "platform/x11/dialog/messagebox_layout.h"
#include "platform/x11/testing.h"

namespace {

TEST(MessageBoxLayoutTest, WrapsBetweenWordsAtTheWidth) {
    auto measure = [](const std::string& line) { return static_cast<int>(line.size()); };  // a pixel a letter
    struct Case {
        const char* text;
        int width;
        const char* wrapped;
    };
    const Case cases[] = {
        {"short", 10, "short"},
        {"one two three four", 9, "one two\nthree\nfour"},
        {"first\nsecond line", 20, "first\nsecond line"},
        {"line\r\nbreak", 20, "line\nbreak"},
        {"a verylongwordhere b", 5, "a\nverylongwordhere\nb"},
        {"", 10, ""},
        {"spaced    out", 20, "spaced out"},
    };
    for (const Case& c : cases) EXPECT_EQ(standin::WrapText(c.text, c.width, measure), c.wrapped) << c.text;
}

TEST(MessageBoxLayoutTest, TextAboveOneCentredOkButton) {
    auto measure = [](const std::string& line) { return 6 * static_cast<int>(line.size()); };
    standin::DialogLayout layout = standin::LayOutMessageBox("line one\nline two", "Error", 13, measure);
    ASSERT_EQ(layout.items.size(), 2u);
    const standin::DialogItem& text = layout.items[0];
    const standin::DialogItem& ok = layout.items[1];
    EXPECT_EQ(layout.caption, "Error");
    EXPECT_EQ(text.rect.height, 26);
    EXPECT_EQ(ok.id, IDOK);
    EXPECT_EQ(ok.kind, standin::ControlKind::DefaultPushButton);
    EXPECT_NEAR(ok.rect.x * 2 + ok.rect.width, layout.width, 1);  // centred
    EXPECT_LT(text.rect.y + text.rect.height, ok.rect.y);
    EXPECT_LE(ok.rect.y + ok.rect.height, layout.height);
}

TEST(MessageBoxTest, HeadlessBoxGoesToStandardErrorOnly) {
    standin::SetMessageBoxesHeadless(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "No OpenGL", nullptr, MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: No OpenGL\n");  // no caption: "Error"
    EXPECT_EQ(standin::LastMessageBoxText(), "No OpenGL");
    EXPECT_EQ(standin::LastMessageBoxCaption(), "Error");
    standin::SetMessageBoxesHeadless(false);
}

TEST(MessageBoxDeathTest, OnlyOkBoxes) {
    standin::SetMessageBoxesHeadless(true);
    EXPECT_DEATH(MessageBoxA(nullptr, "Sure?", "Question", 0x4 /* MB_YESNO */), "MessageBoxA type 0x4");
}

}  // namespace
