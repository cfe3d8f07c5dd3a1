#include "platform/x11/gl/frame_rate.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "platform/x11/posix.h"

namespace {

bool shown = false;
standin::FrameRateMeter meter;

// A 5x7 font of the characters the text uses: seven rows, top first, the
// leftmost pixel in bit 4.
struct Glyph {
    char character;
    unsigned char rows[7];
};
const Glyph kGlyphs[] = {
    {'0', {14, 17, 19, 21, 25, 17, 14}}, {'1', {4, 12, 4, 4, 4, 4, 14}},   {'2', {14, 17, 1, 2, 4, 8, 31}},
    {'3', {31, 2, 4, 2, 1, 17, 14}},     {'4', {2, 6, 10, 18, 31, 2, 2}},  {'5', {31, 16, 30, 1, 1, 17, 14}},
    {'6', {6, 8, 16, 30, 17, 17, 14}},   {'7', {31, 1, 2, 4, 8, 8, 8}},    {'8', {14, 17, 17, 14, 17, 17, 14}},
    {'9', {14, 17, 17, 15, 1, 2, 12}},   {'.', {0, 0, 0, 0, 0, 12, 12}},   {':', {0, 12, 12, 0, 12, 12, 0}},
    {'-', {0, 0, 0, 31, 0, 0, 0}},       {'F', {31, 16, 16, 30, 16, 16, 16}}, {'P', {30, 17, 17, 30, 16, 16, 16}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},
};
const int kAdvance = 6;  // font pixels from one character to the next

const Glyph* FindGlyph(char character) {
    for (const Glyph& glyph : kGlyphs)
        if (glyph.character == character) return &glyph;
    return nullptr;  // a space
}

void Rectangle(int left, int bottom, int width, int height) {
    glVertex2i(left, bottom);
    glVertex2i(left + width, bottom);
    glVertex2i(left + width, bottom + height);
    glVertex2i(left, bottom + height);
}

// The text in white, `scale` screen pixels to a font pixel, its lower-left
// corner at (left, bottom) in window pixels.
void DrawText(const std::string& text, int left, int bottom, int scale) {
    glColor3f(1.0f, 1.0f, 1.0f);
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = FindGlyph(text[i]);
        for (int row = 0; glyph != nullptr && row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (glyph->rows[row] & (16 >> column))
                    Rectangle(left + (int(i) * kAdvance + column) * scale, bottom + (6 - row) * scale, scale, scale);
    }
}

// The black box and the text on it, in window pixels from the lower-left
// corner of a window `height` pixels high: the font grows with the window.
void DrawLabel(const std::string& text, int height) {
    const int scale = std::max(2, height / 270), margin = 3 * scale;
    glBegin(GL_QUADS);
    glColor3f(0.0f, 0.0f, 0.0f);
    Rectangle(0, 0, int(text.size()) * kAdvance * scale - scale + 2 * margin, 7 * scale + 2 * margin);
    DrawText(text, margin, margin, scale);
    glEnd();
}

}  // namespace

void standin::FrameRateMeter::Frame(double seconds) {
    if (start_ < 0) {
        start_ = seconds;
        return;
    }
    ++frames_;
    if (seconds - start_ < 1.0) return;
    char line[32];
    std::snprintf(line, sizeof(line), "FPS: %.1f", double(frames_) / (seconds - start_));
    text_ = line;
    start_ = seconds;
    frames_ = 0;
}

void standin::ShowFrameRate() {
    shown = true;
}

// In window pixels over the viewport, with the state the picture set kept
// aside and put back afterwards.
void standin::DrawFrameRate() {
    if (!shown) return;
    meter.Frame(standin::MonotonicSeconds());
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    for (GLenum capability : {GL_TEXTURE_2D, GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING})
        glDisable(capability);
    for (GLenum plane = GL_CLIP_PLANE0; plane <= GL_CLIP_PLANE5; ++plane) glDisable(plane);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    DrawLabel(meter.Text(), viewport[3]);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}
