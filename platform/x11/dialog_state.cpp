#include "platform/x11/dialog_state.h"

namespace standin {

DialogState::DialogState(const DialogLayout& dialogLayout)
    : layout(dialogLayout), checked(dialogLayout.items.size(), false) {}

int DialogState::FirstTabStop() const {
    for (size_t i = 0; i < layout.items.size(); ++i) {
        if (layout.items[i].tabStop) return static_cast<int>(i);
    }
    return -1;
}

void DialogState::SetFocus(int item) {
    if (item != focus) spaceHeld = -1;
    focus = item;
}

int DialogState::DefaultButton() const {
    if (focus >= 0 && (layout.items[focus].kind == ControlKind::PushButton ||
                       layout.items[focus].kind == ControlKind::DefaultPushButton)) {
        return focus;
    }
    for (size_t i = 0; i < layout.items.size(); ++i) {
        if (layout.items[i].kind == ControlKind::DefaultPushButton) return static_cast<int>(i);
    }
    return -1;
}

bool DialogState::IsPushed(int item) const {
    return item == spaceHeld || (item == captured && pointerInside);
}

int DialogState::ItemWithId(int id) const {
    for (size_t i = 0; i < layout.items.size(); ++i) {
        if (layout.items[i].id == id) return static_cast<int>(i);
    }
    return -1;
}

bool DialogState::SetCheckedById(int id, bool check) {
    int item = ItemWithId(id);
    if (item < 0 || layout.items[item].kind != ControlKind::CheckBox) return false;
    checked[item] = check;
    return true;
}

bool DialogState::CheckedById(int id, bool* check) const {
    int item = ItemWithId(id);
    if (item < 0 || layout.items[item].kind != ControlKind::CheckBox) return false;
    *check = checked[item];
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
            if (focus >= 0 && IsButtonLike(focus)) spaceHeld = focus;
            return {};
        case DialogKey::SpaceUp: {
            int item = spaceHeld;
            spaceHeld = -1;
            return item >= 0 && item == focus ? Activate(item) : DialogCommand{};
        }
    }
    return {};
}

DialogCommand DialogState::OnPointerDown(int x, int y) {
    int item = ItemAt(x, y);
    if (item < 0 || !IsButtonLike(item)) return {};
    SetFocus(item);
    captured = item;
    pointerInside = true;
    return {};
}

void DialogState::OnPointerMove(int x, int y) {
    if (captured >= 0) pointerInside = layout.items[captured].rect.Contains(x, y);
}

DialogCommand DialogState::OnPointerUp(int x, int y) {
    if (captured < 0) return {};
    int item = captured;
    captured = -1;
    return layout.items[item].rect.Contains(x, y) ? Activate(item) : DialogCommand{};
}

DialogCommand DialogState::OnClose() {
    return CommandFor(IDCANCEL);
}

void DialogState::OnFocusLost() {
    spaceHeld = -1;
}

DialogCommand DialogState::Activate(int item) {
    if (layout.items[item].kind == ControlKind::CheckBox) checked[item] = !checked[item];
    return {true, layout.items[item].id, item};
}

DialogCommand DialogState::CommandFor(int id) const {
    return {true, id, ItemWithId(id)};
}

// The next tab stop after the focus in template order, wrapping around.
int DialogState::NextTabStop(int step) const {
    int count = static_cast<int>(layout.items.size());
    int item = focus >= 0 ? focus : (step > 0 ? count - 1 : 0);
    for (int i = 0; i < count; ++i) {
        item = (item + step + count) % count;
        if (layout.items[item].tabStop) return item;
    }
    return -1;
}

int DialogState::ItemAt(int x, int y) const {
    for (size_t i = 0; i < layout.items.size(); ++i) {
        if (layout.items[i].rect.Contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

bool DialogState::IsButtonLike(int item) const {
    return layout.items[item].kind != ControlKind::Static;
}

}  // namespace standin
