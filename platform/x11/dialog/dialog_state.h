// What a dialog's controls are doing, apart from any window: which one has the
// focus, which button is held down, which check boxes are ticked, and how keys
// and the pointer change that, with Windows' keyboard rules.
#pragma once

#include <vector>

#include "platform/x11/dialog/dialog_template.h"

namespace standin {

enum class DialogKey { Tab, ShiftTab, Enter, Escape, SpaceDown, SpaceUp, AltF4 };

// A WM_COMMAND to send: the control id and the item it came from (-1: none).
struct DialogCommand {
    bool send = false;
    int id = 0;
    int item = -1;
};

class DialogState {
public:
    explicit DialogState(const DialogLayout& layout);

    const DialogLayout& Layout() const { return layout_; }
    int Focus() const { return focus_; }
    int FirstTabStop() const;
    void SetFocus(int item);
    // The push button Enter presses: the focused one, else the template's default.
    int DefaultButton() const;
    bool IsChecked(int item) const { return checked_[item]; }
    bool IsPushed(int item) const;
    int ItemWithId(int id) const;

    // CheckDlgButton / IsDlgButtonChecked: false when no check box has this id.
    bool SetCheckedById(int id, bool check);
    bool CheckedById(int id, bool* check) const;

    DialogCommand OnKey(DialogKey key);
    DialogCommand OnPointerDown(int x, int y);
    void OnPointerMove(int x, int y);
    DialogCommand OnPointerUp(int x, int y);
    DialogCommand OnClose();
    void OnFocusLost();

private:
    DialogCommand Activate(int item);
    DialogCommand CommandFor(int id) const;
    int NextTabStop(int step) const;
    int ItemAt(int x, int y) const;
    bool IsButtonLike(int item) const;

    DialogLayout layout_;
    std::vector<bool> checked_;
    int focus_ = -1;
    int spaceHeld_ = -1;  // item held down by Space
    int captured_ = -1;   // item held down by the pointer
    bool pointerInside_ = false;
};

}  // namespace standin
