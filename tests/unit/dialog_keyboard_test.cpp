#include <gtest/gtest.h>

#include <vector>

#include "platform/x11/dialog/dialog_state.h"

namespace {

using standin::DialogKey;
using standin::DialogState;

// Items of dialog 104 by template position.
constexpr int kOk = 0, kCancel = 1, kCheckBox = 5;

DialogState OpenedDialog() {
    DialogState state(standin::LayOutDialog(*standin::FindDialogTemplate(MAKEINTRESOURCEA(104))));
    state.SetCheckedById(1001, true);
    state.SetFocus(state.FirstTabStop());  // WM_INITDIALOG returned nonzero
    return state;
}

struct KeyCase {
    const char* name;
    std::vector<DialogKey> keys;
    int command;  // id of the last WM_COMMAND sent, 0 for none
    int focus;
    int defaultButton;
    bool checked;
};

class DialogKeyboardTest : public testing::TestWithParam<KeyCase> {};

TEST_P(DialogKeyboardTest, KeysAsOnWindows) {
    const KeyCase& c = GetParam();
    DialogState state = OpenedDialog();
    int command = 0;
    for (DialogKey key : c.keys) {
        standin::DialogCommand sent = state.OnKey(key);
        if (sent.send) command = sent.id;
    }
    EXPECT_EQ(command, c.command);
    EXPECT_EQ(state.Focus(), c.focus);
    EXPECT_EQ(state.DefaultButton(), c.defaultButton);
    EXPECT_EQ(state.IsChecked(kCheckBox), c.checked);
}

using K = DialogKey;
INSTANTIATE_TEST_SUITE_P(
    Dialog104, DialogKeyboardTest,
    testing::Values(KeyCase{"StartsOnOk", {}, 0, kOk, kOk, true},
                    KeyCase{"EnterIsOk", {K::Enter}, IDOK, kOk, kOk, true},
                    KeyCase{"TabToCancelMakesItDefault", {K::Tab}, 0, kCancel, kCancel, true},
                    KeyCase{"EnterPressesFocusedButton", {K::Tab, K::Enter}, IDCANCEL, kCancel, kCancel, true},
                    KeyCase{"TabSkipsStaticText", {K::Tab, K::Tab}, 0, kCheckBox, kOk, true},
                    KeyCase{"TabWraps", {K::Tab, K::Tab, K::Tab}, 0, kOk, kOk, true},
                    KeyCase{"ShiftTabWrapsBackwards", {K::ShiftTab}, 0, kCheckBox, kOk, true},
                    KeyCase{"SpaceTogglesOnRelease", {K::Tab, K::Tab, K::SpaceDown}, 0, kCheckBox, kOk, true},
                    KeyCase{"SpaceToggles", {K::Tab, K::Tab, K::SpaceDown, K::SpaceUp}, 1001, kCheckBox, kOk, false},
                    KeyCase{"EnterOnCheckBoxIsOk", {K::Tab, K::Tab, K::SpaceDown, K::SpaceUp, K::Enter}, IDOK,
                            kCheckBox, kOk, false},
                    KeyCase{"SpaceOnOkPressesIt", {K::SpaceDown, K::SpaceUp}, IDOK, kOk, kOk, true},
                    KeyCase{"TabWhileSpaceHeldCancelsPress", {K::SpaceDown, K::Tab, K::SpaceUp}, 0, kCancel,
                            kCancel, true},
                    KeyCase{"ReleaseWithoutPressDoesNothing", {K::SpaceUp}, 0, kOk, kOk, true},
                    KeyCase{"EscapeIsCancel", {K::Tab, K::Tab, K::Escape}, IDCANCEL, kCheckBox, kOk, true},
                    KeyCase{"AltF4IsCancel", {K::AltF4}, IDCANCEL, kOk, kOk, true}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(DialogPointerTest, ClickActsOnReleaseInsideTheControl) {
    struct Click {
        int downX, downY, upX, upY;
        int command;
        int focus;
        bool checked;
    };
    const Click clicks[] = {
        {20, 30, 22, 31, 1001, kCheckBox, false},  // on the check box
        {20, 30, 200, 31, 0, kCheckBox, true},     // dragged off before release
        {260, 40, 300, 50, IDCANCEL, kCancel, true},
        {20, 130, 20, 130, 0, kOk, true},          // static text takes no clicks
        {200, 150, 200, 150, 0, kOk, true},        // empty dialog face
    };
    for (const Click& c : clicks) {
        DialogState state = OpenedDialog();
        state.OnPointerDown(c.downX, c.downY);
        state.OnPointerMove(c.upX, c.upY);
        standin::DialogCommand sent = state.OnPointerUp(c.upX, c.upY);
        EXPECT_EQ(sent.send ? sent.id : 0, c.command) << c.downX << "," << c.downY;
        EXPECT_EQ(state.Focus(), c.focus);
        EXPECT_EQ(state.IsChecked(kCheckBox), c.checked);
    }
}

TEST(DialogPointerTest, ButtonLooksPushedOnlyWhilePointerInside) {
    DialogState state = OpenedDialog();
    state.OnPointerDown(260, 10);
    EXPECT_TRUE(state.IsPushed(kOk));
    state.OnPointerMove(100, 10);
    EXPECT_FALSE(state.IsPushed(kOk));
    state.OnPointerMove(300, 20);
    EXPECT_TRUE(state.IsPushed(kOk));
}

TEST(DialogButtonStateTest, OnlyCheckBoxesTakeACheck) {
    DialogState state = OpenedDialog();
    bool checked = true;
    EXPECT_TRUE(state.SetCheckedById(1001, false));
    EXPECT_TRUE(state.CheckedById(1001, &checked));
    EXPECT_FALSE(checked);
    EXPECT_FALSE(state.SetCheckedById(IDOK, true));
    EXPECT_FALSE(state.SetCheckedById(-1, true));  // the static texts
    EXPECT_FALSE(state.SetCheckedById(4242, true));
    EXPECT_FALSE(state.CheckedById(IDCANCEL, &checked));
}

}  // namespace
