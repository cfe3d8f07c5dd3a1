// Dialog templates and their layout in pixels. The configuration dialog's
// template is built from the one description in assets/resource.h; a layout is
// what the modal runner shows: a caption, a client size and controls in pixels.
#pragma once

#include <string>
#include <vector>

#include "platform/x11/win32.h"

namespace standin {

// One control as a template lists it: position and size in dialog units.
struct DialogItemTemplate {
    std::string text;
    int id;
    std::string windowClass;
    DWORD style;
    int x, y, width, height;
};

struct DialogTemplate {
    std::string caption;
    DWORD style;
    std::string fontName;
    int fontPoints;
    int width, height;  // dialog units
    std::vector<DialogItemTemplate> items;
};

// The template named by a DialogBoxParamA resource name, or null when the
// program has no such dialog.
const DialogTemplate* FindDialogTemplate(LPCSTR name);

// Pixels per 4 horizontal and per 8 vertical dialog units: the base units of
// the templates' 8-point sans font.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// Win32 MulDiv: value * numerator / denominator, rounded half away from zero.
int MulDiv(int value, int numerator, int denominator);
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

enum class ControlKind { PushButton, DefaultPushButton, CheckBox, Static };

struct PixelRect {
    int x, y, width, height;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

struct DialogItem {
    std::string text;  // a '\n' starts a new line (static text only)
    int id;
    ControlKind kind;
    bool tabStop;
    PixelRect rect;
};

struct DialogLayout {
    std::string caption;
    int width, height;  // client area, pixels
    std::vector<DialogItem> items;
};

// The kind a window class and style describe; a class or button style the
// stand-in does not draw is a programming error (message and abort).
ControlKind KindOfControl(const std::string& windowClass, DWORD style);

DialogLayout LayOutDialog(const DialogTemplate& dialogTemplate);

}  // namespace standin
