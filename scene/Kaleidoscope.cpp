// The kaleidoscope composition: its steps in the Scene's set-up, frame and
// tear-down, and the drawing of the wedges with their mirrored copies.
#include <new>

#include "platform/gl.h"
#include "scene/Scene.h"
#include "sprites/SpriteField.h"

namespace {

void LoadClipPlanes(const WedgeConfig& config) {
    glClipPlane(GL_CLIP_PLANE0, config.clipFirst);
    glClipPlane(GL_CLIP_PLANE1, config.clipSecond);
}

}  // namespace

// Entry (i - 10) / 2 holds the configuration of i wedges.
void Scene::SetUpWedges() {
    for (int wedges = 10; wedges <= 24; wedges += 2) {
        BuildWedgeConfig(&configs[(wedges - 10) / 2], float(360.0 / double(wedges)));
    }
    SelectRandomConfig(false);
    mirrored = true;
}

// Without memory for the field the Scene goes on drawing cleared frames.
void Scene::SetUpSpriteField() {
    spriteField = new (std::nothrow) SpriteField(this, false);
    if (spriteField != nullptr) spriteField->SetUp();
}

void Scene::UpdateSpriteField() {
    if (spriteField != nullptr) spriteField->Update();
}

void Scene::RebaseSpriteField(double seconds) {
    if (spriteField != nullptr) spriteField->RebaseTimes(seconds);
}

void Scene::DrawFrame() {
    const WedgeConfig& config = FrameConfig();
    if (spriteField != nullptr) DrawKaleidoscope(config);
}

void Scene::TearDownSpriteField() {
    delete spriteField;
    spriteField = nullptr;
}

void Scene::DrawKaleidoscope(const WedgeConfig& config) {
    glPushMatrix();
    spriteField->DrawBackground();
    if (mirrored) {
        glEnable(GL_CLIP_PLANE0);
        glEnable(GL_CLIP_PLANE1);
    }
    // Every second wedge; its mirror image fills the wedge before it.
    for (int wedge = 0; wedge < config.segmentCount; wedge += 2) {
        DrawWedgePair(config, wedge);
        if (!mirrored) break;
    }
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
    glFrontFace(GL_CCW);
    glPopMatrix();
    spriteField->EndDraw();
}

// The clip planes are loaded under the wedge's own matrix so they turn (and
// mirror) with it; the mirror reverses the winding, so the front face follows.
void Scene::DrawWedgePair(const WedgeConfig& config, int wedge) {
    glPushMatrix();
    glRotatef(float(wedge) * config.segmentAngle, 0.0f, 0.0f, 1.0f);
    glFrontFace(GL_CCW);
    LoadClipPlanes(config);
    spriteField->DrawSprites();
    if (mirrored) {
        glScalef(-1.0f, 1.0f, 1.0f);
        glFrontFace(GL_CW);
        LoadClipPlanes(config);
        spriteField->DrawSprites();
    }
    glPopMatrix();
}
