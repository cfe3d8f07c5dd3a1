// Paints a dialog's client area the way Windows draws its classic controls:
// raised push buttons with a frame on the default one, sunken check boxes with
// a tick, left-aligned static text, dotted focus rectangles; text through Xft.
#pragma once

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <string>

#include "platform/x11/dialog/dialog_state.h"

namespace standin {

class DialogPainter {
public:
    DialogPainter(Display* display, int screen);
    ~DialogPainter();
    DialogPainter(const DialogPainter&) = delete;
    DialogPainter& operator=(const DialogPainter&) = delete;

    // False when no font could be opened; nothing can be drawn then.
    bool Ready() const { return font_ != nullptr; }
    int TextWidth(const std::string& text) const;
    int LineHeight() const;
    unsigned long FacePixel() const { return colours_[kFace].pixel; }

    // Draws the whole client area into `target`, a drawable of the layout's
    // size on the painter's screen. `active`: the dialog has the input focus.
    void Paint(Drawable target, const DialogState& state, bool active) const;

private:
    enum Colour { kFace, kHighlight, kShadow, kDarkShadow, kText, kWindow, kColourCount };
    struct Canvas;

    void PaintItem(Canvas& canvas, const DialogState& state, int item, bool active) const;
    void PaintButton(Canvas& canvas, const DialogItem& item, bool isDefault, bool pushed, bool focused) const;
    void PaintCheckBox(Canvas& canvas, const DialogItem& item, bool checked, bool pushed, bool focused) const;
    void PaintStatic(Canvas& canvas, const DialogItem& item) const;
    void DrawText(Canvas& canvas, const std::string& text, int x, int baseline) const;
    void Fill(Canvas& canvas, Colour colour, int x, int y, int width, int height) const;
    void Edge(Canvas& canvas, int x, int y, int width, int height, Colour topLeft, Colour bottomRight) const;
    void DottedRect(Canvas& canvas, int x, int y, int width, int height) const;
    void Tick(Canvas& canvas, int x, int y) const;

    Display* display_;
    int screen_;
    XftFont* font_ = nullptr;
    XftColor colours_[kColourCount] = {};
    bool coloursAllocated_ = false;
};

}  // namespace standin
