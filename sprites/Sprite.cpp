// A sprite's life: rebirth with a new look, the per-frame advance, and its quad.
#include "sprites/Sprite.h"

#include <cmath>

#include "common/Random.h"
#include "platform/gl.h"
#include "scene/Scene.h"
#include "sprites/SpriteField.h"

namespace {

constexpr float kPhasePerSecond = 0.05f;      // a life lasts 20 seconds
constexpr float kPerAtlasWidth = 0.0009765625f;  // 1/1024
constexpr float kPerAtlasHeight = 0.001953125f;  // 1/512
constexpr int kCellPixels = 128;
constexpr int kAtlasColumns = 8;
constexpr int kFirstLetteringCell = 29;  // cells from here on are white shapes drawn in the tint

}  // namespace

void Sprite::Spawn(float startPhase) {
    phase = startPhase;
    Respawn();
}

void Sprite::Respawn() {
    const SpriteField& field = *activeSpriteField;
    birthTime = float(double(field.scene->sceneTime) - 20.0 * double(phase));

    if (field.formation) {
        spin = field.spin;
        scale = float(double(field.scale) + 0.25);
        frame = field.frame;
    } else {
        spin = float(double(UniformRandom()) * double(field.spin) * 2.0);
        scale = float(double(UniformRandom()) * double(field.scale) + 0.25);
        frame = field.randomFrames ? RandomCell(field.frameCount) : field.frame;
    }

    texLeft = float(double(frame % kAtlasColumns) * kCellPixels * double(kPerAtlasWidth));
    texTop = float(double(frame / kAtlasColumns) * kCellPixels * double(kPerAtlasHeight));
    texWidth = 0.125f;
    texHeight = 0.25f;

    for (float& component : tint) component = UniformRandom();
    position.y = float(double(UniformRandom()) * double(-2.4f));
    position.z = float(double(UniformRandom()) * 2.0);
}

// A life ends only when the phase passes 1; after a stall of several lives the
// sprite is reborn once and keeps the fraction, so it stays in its rhythm.
void Sprite::Update() {
    const Scene& scene = *activeSpriteField->scene;
    const double chord = scene.currentConfig->chordLength;
    const double p = (double(scene.sceneTime) - double(birthTime)) * double(kPhasePerSecond);
    phase = float(p);
    if (p > 1.0) {
        phase = float(p - std::trunc(p));
        activeSpriteField->StepDrift();
        Respawn();
    }
    position.x = float(chord * double(phase) * 3.0 - chord);  // -chord at birth, 2 x chord at the end
    angle = float(double(spin) * double(phase));
}

void Sprite::Draw() const {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(-angle, 0.0f, 0.0f, 1.0f);
    glScalef(scale, scale, scale);
    if (frame < kFirstLetteringCell) {
        glColor3f(1.0f, 1.0f, 1.0f);
    } else {
        glColor4f(tint[0], tint[1], tint[2], tint[3]);
    }
    // Counter-clockwise seen from +z; the cell's top edge at +y, so it stands upright.
    const float right = float(double(texLeft) + double(texWidth));
    const float bottom = float(double(texTop) + double(texHeight));
    glBegin(GL_QUADS);
    glTexCoord2f(texLeft, bottom);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2f(right, bottom);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glTexCoord2f(right, texTop);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(texLeft, texTop);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
    glPopMatrix();
}
