#include "platform/x11/dialog/dialog_state.h"

namespace standin {

DialogState::DialogState(const DialogLayout& dialogLayout)
    : layout_(dialogLayout), checked_(dialogLayout.items.size(), false) {}

int DialogState::FirstTabStop() const {
    for (size_t i = 0; i < layout_.items.size(); ++i) {
        if (layout_.items[i].tabStop) return static_cast<int>(i);
    }
    return -1;
}

void DialogState::SetFocus(int item) {
    if (item != focus_) spaceHeld_ = -1;
    focus_ = item;
}

int DialogState::DefaultButton() const {
    if (focus_ >= 0 && (layout_.items[focus_].kind == ControlKind::PushButton ||
                       layout_.items[focus_].kind == ControlKind::DefaultPushButton)) {
        return focus_;
    }
    for (size_t i = 0; i < layout_.items.size(); ++i) {
        if (layout_.items[i].kind == ControlKind::DefaultPushButton) return static_cast<int>(i);
    }
    return -1;
}

bool DialogState::IsPushed(int item) const {
    return item == spaceHeld_ || (item == captured_ && pointerInside_);
}

int DialogState::ItemWithId(int id) const {
    for (size_t i = 0; i < layout_.items.size(); ++i) {
        if (layout_.items[i].id == id) return static_cast<int>(i);
    }
    return -1;
}

bool DialogState::SetCheckedById(int id, bool check) {
    int item = ItemWithId(id);
    if (item < 0 || layout_.items[item].kind != ControlKind::CheckBox) return false;
    checked_[item] = check;
    return true;
}

bool DialogState::CheckedById(int id, bool* check) const {
    int item = ItemWithId(id);
    if (item < 0 || layout_.items[item].kind != ControlKind::CheckBox) return false;
    *check = checked_[item];
    return true;
}

DialogCommand DialogState::OnKey(DialogKey key) {
    switch (key) {
        case DialogKey::Tab:
        case DialogKey::ShiftTab: {
            int next = NextTabStop(key == DialogKey::Tab ? 1 : -1);
            if (next >= 0) SetFocus(next);
            return {};
        }
        case DialogKey::Enter: {
            int button = DefaultButton();
            return button >= 0 ? Activate(button) : CommandFor(IDOK);
        }
        case DialogKey::Escape:
        case DialogKey::AltF4:
            return OnClose();
        case DialogKey::SpaceDown:
            if (focus_ >= 0 && IsButtonLike(focus_)) spaceHeld_ = focus_;
            return {};
        case DialogKey::SpaceUp: {
            int item = spaceHeld_;
            spaceHeld_ = -1;
            return item >= 0 && item == focus_ ? Activate(item) : DialogCommand{};
        }
    }
    return {};
}

DialogCommand DialogState::OnPointerDown(int x, int y) {
    int item = ItemAt(x, y);
    if (item < 0 || !IsButtonLike(item)) return {};
    SetFocus(item);
    captured_ = item;
    pointerInside_ = true;
    return {};
}

void DialogState::OnPointerMove(int x, int y) {
    if (captured_ >= 0) pointerInside_ = layout_.items[captured_].rect.Contains(x, y);
}

DialogCommand DialogState::OnPointerUp(int x, int y) {
    if (captured_ < 0) return {};
    int item = captured_;
    captured_ = -1;
    return layout_.items[item].rect.Contains(x, y) ? Activate(item) : DialogCommand{};
}

DialogCommand DialogState::OnClose() {
    return CommandFor(IDCANCEL);
}

void DialogState::OnFocusLost() {
    spaceHeld_ = -1;
}

DialogCommand DialogState::Activate(int item) {
    if (layout_.items[item].kind == ControlKind::CheckBox) checked_[item] = !checked_[item];
    return {true, layout_.items[item].id, item};
}

DialogCommand DialogState::CommandFor(int id) const {
    return {true, id, ItemWithId(id)};
}

// The next tab stop after the focus in template order, wrapping around.
int DialogState::NextTabStop(int step) const {
    int count = static_cast<int>(layout_.items.size());
    int item = focus_ >= 0 ? focus_ : (step > 0 ? count - 1 : 0);
    for (int i = 0; i < count; ++i) {
        item = (item + step + count) % count;
        if (layout_.items[item].tabStop) return item;
    }
    return -1;
}

int DialogState::ItemAt(int x, int y) const {
    for (size_t i = 0; i < layout_.items.size(); ++i) {
        if (layout_.items[i].rect.Contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

bool DialogState::IsButtonLike(int item) const {
    return layout_.items[item].kind != ControlKind::Static;
}

}  // namespace standin
