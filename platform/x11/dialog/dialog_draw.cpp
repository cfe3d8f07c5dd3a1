#include "platform/x11/dialog/dialog_draw.h"

#include <algorithm>
#include <vector>

namespace standin {

namespace {

// A sans whose size in pixels matches the templates' 8-point font at 96 dpi.
const char kFontPattern[] = "DejaVu Sans,sans-serif:pixelsize=11";

// The classic Windows 3D colours, 0xRRGGBB.
const unsigned kPalette[] = {0xD4D0C8, 0xFFFFFF, 0x808080, 0x404040, 0x000000, 0xFFFFFF};

constexpr int kCheckBoxSize = 13;  // pixels, the box of a check box
constexpr int kCheckBoxGap = 4;    // pixels between the box and its text

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

}  // namespace

struct DialogPainter::Canvas {
    Drawable drawable;
    GC gc;
    XftDraw* draw;
};

DialogPainter::DialogPainter(Display* painterDisplay, int painterScreen)
    : display_(painterDisplay), screen_(painterScreen) {
    font_ = XftFontOpenName(display_, screen_, kFontPattern);
    Visual* visual = DefaultVisual(display_, screen_);
    Colormap colormap = DefaultColormap(display_, screen_);
    coloursAllocated_ = true;
    for (int i = 0; i < kColourCount; ++i) {
        unsigned rgb = kPalette[i];
        XRenderColor value = {static_cast<unsigned short>(((rgb >> 16) & 0xFF) * 257),
                              static_cast<unsigned short>(((rgb >> 8) & 0xFF) * 257),
                              static_cast<unsigned short>((rgb & 0xFF) * 257), 0xFFFF};
        coloursAllocated_ = XftColorAllocValue(display_, visual, colormap, &value, &colours_[i]) && coloursAllocated_;
    }
}

DialogPainter::~DialogPainter() {
    Visual* visual = DefaultVisual(display_, screen_);
    Colormap colormap = DefaultColormap(display_, screen_);
    if (coloursAllocated_) {
        for (XftColor& colour : colours_) XftColorFree(display_, visual, colormap, &colour);
    }
    if (font_ != nullptr) XftFontClose(display_, font_);
}

int DialogPainter::TextWidth(const std::string& text) const {
    XGlyphInfo extents;
    XftTextExtentsUtf8(display_, font_, reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()),
                       &extents);
    return extents.xOff;
}

int DialogPainter::LineHeight() const {
    return font_->ascent + font_->descent;
}

void DialogPainter::Paint(Drawable target, const DialogState& state, bool active) const {
    Canvas canvas = {target, XCreateGC(display_, target, 0, nullptr),
                     XftDrawCreate(display_, target, DefaultVisual(display_, screen_), DefaultColormap(display_, screen_))};
    Fill(canvas, kFace, 0, 0, state.Layout().width, state.Layout().height);
    for (size_t i = 0; i < state.Layout().items.size(); ++i) PaintItem(canvas, state, static_cast<int>(i), active);
    XftDrawDestroy(canvas.draw);
    XFreeGC(display_, canvas.gc);
}

void DialogPainter::PaintItem(Canvas& canvas, const DialogState& state, int item, bool active) const {
    const DialogItem& control = state.Layout().items[item];
    bool focused = active && state.Focus() == item;
    switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton:
            PaintButton(canvas, control, state.DefaultButton() == item, state.IsPushed(item), focused);
            break;
        case ControlKind::CheckBox:
            PaintCheckBox(canvas, control, state.IsChecked(item), state.IsPushed(item), focused);
            break;
        case ControlKind::Static:
            PaintStatic(canvas, control);
            break;
    }
}

// A raised button; the default one has a black frame, a pushed one is flat
// with its text moved down and right by one pixel.
void DialogPainter::PaintButton(Canvas& canvas, const DialogItem& item, bool isDefault, bool pushed,
                                bool focused) const {
    PixelRect r = item.rect;
    Fill(canvas, kFace, r.x, r.y, r.width, r.height);
    int inset = 0;
    if (isDefault) {
        Edge(canvas, r.x, r.y, r.width, r.height, kText, kText);
        inset = 1;
    }
    int x = r.x + inset, y = r.y + inset, width = r.width - 2 * inset, height = r.height - 2 * inset;
    if (pushed) {
        Edge(canvas, x, y, width, height, kShadow, kShadow);
    } else {
        Edge(canvas, x, y, width, height, kHighlight, kDarkShadow);
        Edge(canvas, x + 1, y + 1, width - 2, height - 2, kFace, kShadow);
    }
    int shift = pushed ? 1 : 0;
    int textX = r.x + (r.width - TextWidth(item.text)) / 2 + shift;
    int baseline = r.y + (r.height - LineHeight()) / 2 + font_->ascent + shift;
    DrawText(canvas, item.text, textX, baseline);
    if (focused) DottedRect(canvas, x + 3, y + 3, width - 6, height - 6);
}

// A sunken white box with the tick, the text to its right.
void DialogPainter::PaintCheckBox(Canvas& canvas, const DialogItem& item, bool checked, bool pushed,
                                  bool focused) const {
    PixelRect r = item.rect;
    int boxX = r.x, boxY = r.y + (r.height - kCheckBoxSize) / 2;
    Edge(canvas, boxX, boxY, kCheckBoxSize, kCheckBoxSize, kShadow, kHighlight);
    Edge(canvas, boxX + 1, boxY + 1, kCheckBoxSize - 2, kCheckBoxSize - 2, kDarkShadow, kFace);
    Fill(canvas, pushed ? kFace : kWindow, boxX + 2, boxY + 2, kCheckBoxSize - 4, kCheckBoxSize - 4);
    if (checked) Tick(canvas, boxX + 3, boxY + 3);
    int textX = boxX + kCheckBoxSize + kCheckBoxGap;
    int textTop = r.y + (r.height - LineHeight()) / 2;
    DrawText(canvas, item.text, textX, textTop + font_->ascent);
    if (focused) DottedRect(canvas, textX - 2, textTop - 1, TextWidth(item.text) + 4, LineHeight() + 2);
}

// Left-aligned lines from the control's top left; like a Windows static it
// does not clip its text to its own rectangle.
void DialogPainter::PaintStatic(Canvas& canvas, const DialogItem& item) const {
    std::vector<std::string> lines = SplitLines(item.text);
    for (size_t i = 0; i < lines.size(); ++i) {
        DrawText(canvas, lines[i], item.rect.x, item.rect.y + static_cast<int>(i) * LineHeight() + font_->ascent);
    }
}

void DialogPainter::DrawText(Canvas& canvas, const std::string& text, int x, int baseline) const {
    XftDrawStringUtf8(canvas.draw, &colours_[kText], font_, x, baseline,
                      reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()));
}

void DialogPainter::Fill(Canvas& canvas, Colour colour, int x, int y, int width, int height) const {
    if (width <= 0 || height <= 0) return;
    XSetForeground(display_, canvas.gc, colours_[colour].pixel);
    XFillRectangle(display_, canvas.drawable, canvas.gc, x, y, width, height);
}

// A one-pixel frame: top and left in one colour, bottom and right in another.
void DialogPainter::Edge(Canvas& canvas, int x, int y, int width, int height, Colour topLeft,
                         Colour bottomRight) const {
    Fill(canvas, topLeft, x, y, width - 1, 1);
    Fill(canvas, topLeft, x, y, 1, height - 1);
    Fill(canvas, bottomRight, x, y + height - 1, width, 1);
    Fill(canvas, bottomRight, x + width - 1, y, 1, height);
}

// Every other pixel of the rectangle's outline, as Windows draws focus.
void DialogPainter::DottedRect(Canvas& canvas, int x, int y, int width, int height) const {
    if (width <= 0 || height <= 0) return;
    std::vector<XPoint> points;
    auto add = [&](int px, int py) {
        if ((px + py) % 2 == 0) points.push_back({static_cast<short>(px), static_cast<short>(py)});
    };
    for (int px = x; px < x + width; ++px) {
        add(px, y);
        add(px, y + height - 1);
    }
    for (int py = y + 1; py < y + height - 1; ++py) {
        add(x, py);
        add(x + width - 1, py);
    }
    XSetForeground(display_, canvas.gc, colours_[kText].pixel);
    XDrawPoints(display_, canvas.drawable, canvas.gc, points.data(), static_cast<int>(points.size()),
                CoordModeOrigin);
}

// The classic 7 x 7 tick: each column three pixels tall.
void DialogPainter::Tick(Canvas& canvas, int x, int y) const {
    static const int columnTop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int column = 0; column < 7; ++column) Fill(canvas, kText, x + column, y + columnTop[column], 1, 3);
}

}  // namespace standin
