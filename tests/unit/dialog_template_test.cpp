#include <gtest/gtest.h>

#include "assets/resource.h"
#include "platform/x11/dialog_template.h"

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

TEST(DialogTemplateTest, HeaderIsTheDialogsCaptionSizeAndStyle) {
    const standin::DialogTemplate& dialog = *standin::FindDialogTemplate(MAKEINTRESOURCEA(104));
    EXPECT_EQ(dialog.caption, "Config dialog");
    EXPECT_EQ(dialog.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.fontPoints, 8);
    EXPECT_EQ(ConfigLayout().caption, "Config dialog");
    EXPECT_EQ(ConfigLayout().width, 342);   // 228 units of 6/4 pixels
    EXPECT_EQ(ConfigLayout().height, 166);  // 102 units of 13/8 pixels, rounded
}

struct ItemCase {
    const char* text;
    int id;
    DWORD style;
    ControlKind kind;
    bool tabStop;
};

TEST(DialogTemplateTest, SevenControlsInTemplateOrder) {
    const DWORD base = WS_CHILD | WS_VISIBLE;
    const DWORD label = SS_LEFT | WS_GROUP | base;
    const ItemCase expected[] = {
        {"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | base, ControlKind::DefaultPushButton, true},
        {"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP | base, ControlKind::PushButton, true},
        {nullptr, -1, label, ControlKind::Static, false},
        {nullptr, -1, label, ControlKind::Static, false},
        {nullptr, -1, label, ControlKind::Static, false},
        {"Use Mirrors", 1001, BS_AUTOCHECKBOX | WS_TABSTOP | base, ControlKind::CheckBox, true},
        {"Version 1.0", -1, label, ControlKind::Static, false},
    };
    const standin::DialogTemplate& dialog = *standin::FindDialogTemplate(MAKEINTRESOURCEA(104));
    ASSERT_EQ(dialog.items.size(), 7u);
    ASSERT_EQ(ConfigLayout().items.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const ItemCase& want = expected[i];
        EXPECT_EQ(dialog.items[i].id, want.id);
        EXPECT_EQ(dialog.items[i].style, want.style);
        EXPECT_EQ(ConfigLayout().items[i].kind, want.kind);
        EXPECT_EQ(ConfigLayout().items[i].tabStop, want.tabStop);
        if (want.text != nullptr) {
            EXPECT_EQ(ConfigLayout().items[i].text, want.text);
        }
        EXPECT_FALSE(ConfigLayout().items[i].text.empty());
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
