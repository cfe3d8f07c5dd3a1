#include "platform/x11/dialog/dialog_template.h"

#include <cstdlib>

#include "assets/resource.h"
#include "platform/x11/dialog/dialog_unsupported.h"

namespace standin {

namespace {

#define STANDIN_DIALOG_ITEM(text, id, windowClass, style, x, y, width, height) \
    DialogItemTemplate{text, id, windowClass, static_cast<DWORD>(style), x, y, width, height},

const DialogTemplate configDialog = {
    CONFIG_DIALOG_CAPTION,
    static_cast<DWORD>(CONFIG_DIALOG_STYLE),
    CONFIG_DIALOG_FONT_NAME,
    CONFIG_DIALOG_FONT_POINTS,
    CONFIG_DIALOG_WIDTH,
    CONFIG_DIALOG_HEIGHT,
    {CONFIG_DIALOG_CONTROLS(STANDIN_DIALOG_ITEM)},
};

#undef STANDIN_DIALOG_ITEM

constexpr DWORD kButtonTypeMask = 0x0000000F;

}  // namespace

const DialogTemplate* FindDialogTemplate(LPCSTR name) {
    if (IS_INTRESOURCE(name) && reinterpret_cast<UINT_PTR>(name) == IDD_CONFIG) return &configDialog;
    return nullptr;
}

int MulDiv(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    bool negative = (product < 0) != (denominator < 0);
    long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int DialogUnitsToPixelsX(int units) {
    return MulDiv(units, kBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units) {
    return MulDiv(units, kBaseUnitY, 8);
}

ControlKind KindOfControl(const std::string& windowClass, DWORD style) {
    if (windowClass == "Static") {
        if ((style & kButtonTypeMask) != SS_LEFT) DialogUnsupported("static style 0x%lx", (unsigned long)style);
        return ControlKind::Static;
    }
    if (windowClass != "Button") DialogUnsupported("control class \"%s\"", windowClass.c_str());
    switch (style & kButtonTypeMask) {
        case BS_PUSHBUTTON: return ControlKind::PushButton;
        case BS_DEFPUSHBUTTON: return ControlKind::DefaultPushButton;
        case BS_AUTOCHECKBOX: return ControlKind::CheckBox;
        default: DialogUnsupported("button style 0x%lx", (unsigned long)style);
    }
}

DialogLayout LayOutDialog(const DialogTemplate& dialogTemplate) {
    if (dialogTemplate.fontPoints != 8) DialogUnsupported("dialog font of %d points", dialogTemplate.fontPoints);
    DialogLayout layout;
    layout.caption = dialogTemplate.caption;
    layout.width = DialogUnitsToPixelsX(dialogTemplate.width);
    layout.height = DialogUnitsToPixelsY(dialogTemplate.height);
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        PixelRect rect = {DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y),
                          DialogUnitsToPixelsX(item.width), DialogUnitsToPixelsY(item.height)};
        layout.items.push_back({item.text, item.id, KindOfControl(item.windowClass, item.style),
                                (item.style & WS_TABSTOP) != 0, rect});
    }
    return layout;
}

}  // namespace standin
