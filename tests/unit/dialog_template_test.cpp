#include <gtest/gtest.h>

#include "assets/resource.h"
#include "platform/x11/dialog/dialog_template.h"

namespace {

using standin::ControlKind;
using standin::DialogLayout;
using standin::PixelRect;

const DialogLayout& ConfigLayout() {
    static const DialogLayout layout = standin::LayOutDialog(*standin::FindDialogTemplate(MAKEINTRESOURCEA(104)));
    return layout;
}

TEST(DialogTemplateTest, OnlyDialog104Exists) {
    ASSERT_NE(standin::FindDialogTemplate(MAKEINTRESOURCEA(104)), nullptr);
    EXPECT_EQ(standin::FindDialogTemplate(MAKEINTRESOURCEA(105)), nullptr);
    EXPECT_EQ(standin::FindDialogTemplate(MAKEINTRESOURCEA(0)), nullptr);
    EXPECT_EQ(standin::FindDialogTemplate("104"), nullptr);  // a name, not the number
}

// The template's values are the resource script's, which the Windows build's
// resources test compares with the design; here, how the stand-in lays it out:
// each control's kind, tab stop and text (the three notice lines: any text).
TEST(DialogTemplateTest, SevenControlsInTemplateOrder) {
    const struct {
        const char* text;
        ControlKind kind;
        bool tabStop;
    } expected[] = {{"OK", ControlKind::DefaultPushButton, true}, {"Cancel", ControlKind::PushButton, true},
                    {"", ControlKind::Static, false},          {"", ControlKind::Static, false},
                    {"", ControlKind::Static, false},          {"Use Mirrors", ControlKind::CheckBox, true},
                    {"Version 1.0", ControlKind::Static, false}};
    ASSERT_EQ(ConfigLayout().items.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        const standin::DialogItem& item = ConfigLayout().items[i];
        EXPECT_EQ(item.kind, expected[i].kind) << i;
        EXPECT_EQ(item.tabStop, expected[i].tabStop) << i;
        EXPECT_FALSE(item.text.empty()) << i;
        if (*expected[i].text != '\0') {
            EXPECT_EQ(item.text, expected[i].text) << i;
        }
    }
}

// Position and size are scaled separately, each rounded half up, as Windows does.
TEST(DialogTemplateTest, ControlRectanglesInPixels) {
    struct RectCase {
        size_t item;
        PixelRect rect;
    };
    const RectCase cases[] = {
        {0, {258, 7, 75, 23}},    // OK: 172, 4, 50 x 14
        {1, {258, 37, 75, 23}},   // Cancel: 172, 23, 50 x 14
        {2, {11, 127, 150, 13}},  // notice: 7, 78, 100 x 8
        {5, {14, 23, 78, 16}},    // Use Mirrors: 9, 14, 52 x 10
        {6, {11, 55, 54, 13}},    // Version 1.0: 7, 34, 36 x 8
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.item);
        const PixelRect& rect = ConfigLayout().items[c.item].rect;
        EXPECT_EQ(rect.x, c.rect.x);
        EXPECT_EQ(rect.y, c.rect.y);
        EXPECT_EQ(rect.width, c.rect.width);
        EXPECT_EQ(rect.height, c.rect.height);
    }
}

TEST(DialogTemplateTest, MulDivRoundsHalfAwayFromZero) {
    struct Case {
        int value, numerator, denominator, result;
    };
    const Case cases[] = {{7, 6, 4, 11},   {-7, 6, 4, -11}, {7, -6, 4, -11}, {4, 13, 8, 7},  {3, 13, 8, 5},
                          {102, 13, 8, 166}, {1, 1, 2, 1},  {1, 1, 3, 0},    {0, 13, 8, 0}, {-1, 1, -2, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(standin::MulDiv(c.value, c.numerator, c.denominator), c.result)
            << c.value << " * " << c.numerator << " / " << c.denominator;
    }
}

TEST(DialogTemplateDeathTest, ControlsTheStandInCannotDrawFailLoudly) {
    EXPECT_DEATH(standin::KindOfControl("Edit", WS_TABSTOP), "control class \"Edit\"");
    EXPECT_DEATH(standin::KindOfControl("Button", 0x2 /* BS_CHECKBOX */), "button style");
}

}  // namespace
