// Drawing of the sprite field: the turning gradient, the faint logo banner,
// the state the sprites draw under, and the sprites themselves.
#include <cmath>

#include "assets/TextureImage.h"
#include "platform/gl.h"
#include "scene/Scene.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

namespace {

GLuint TextureName(const TextureImage* images, int index) {
    return images != nullptr ? images[index].textureName : 0;
}

void BindModulated(GLuint textureName) {
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, float(GL_MODULATE));
}

// Blending, back faces culled, no depth test, texturing.
void SetSpriteState() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}

constexpr double kTwoPi = 6.283185307179586;

// A phase growing `perSecond` a second, `t` seconds after `base` whole seconds.
// Until the clock first rebases it is t x perSecond; afterwards it is reduced
// by `period`, so that it stays as fine after years as in the first hours.
double PhaseAt(int64_t base, float t, double perSecond, double period) {
    const double phase = double(t) * perSecond;
    if (base == 0) return phase;
    return std::fmod(std::fmod(double(base) * perSecond, period) + phase, period);
}

}  // namespace

GradientPhases GradientAt(int64_t sceneTimeBase, float sceneTime) {
    return {float(PhaseAt(sceneTimeBase, sceneTime, 8.0, 360.0)),
            float(PhaseAt(sceneTimeBase, sceneTime, double(0.1f), kTwoPi)),
            float(PhaseAt(sceneTimeBase, sceneTime, double(0.02f), kTwoPi))};
}

void SpriteField::DrawBackground() {
    glDisable(GL_CULL_FACE);
    DrawGradient(scene->sceneTimeBase, scene->sceneTime);
    SetSpriteState();
    DrawBanner();
    BindModulated(TextureName(images, 0));
}

// A quad far behind the wedges, from the fixed colour along its top edge to a
// slowly changing one along its bottom edge, turning 8 degrees per second.
void SpriteField::DrawGradient(int64_t sceneTimeBase, float sceneTime) {
    const GradientPhases phases = GradientAt(sceneTimeBase, sceneTime);
    const double a = phases.colourA;
    const double b = phases.colourB;
    glPushMatrix();
    glRotatef(phases.turn, 0.0f, 0.0f, 1.0f);
    const GLfloat top[3] = {backgroundColor.x, backgroundColor.y, backgroundColor.z};
    glBegin(GL_QUADS);
    glColor3fv(top);
    glVertex3f(-32.0f, 32.0f, -10.0f);
    glVertex3f(32.0f, 32.0f, -10.0f);
    glColor4f(float((std::sin(a) + 1.0) * 0.25), 0.0f, float((std::cos(a) + 1.0) * 0.25),
              float((std::cos(b) + 1.0) * 0.25));
    glVertex3f(32.0f, -32.0f, -10.0f);
    glVertex3f(-32.0f, -32.0f, -10.0f);
    glEnd();
    glPopMatrix();
}

// The logo, 4 x 0.25 units at one tenth of its alpha, towards the lower right.
void SpriteField::DrawBanner() {
    BindModulated(TextureName(images, 1));
    glPushMatrix();
    glTranslatef(5.0f, -5.0f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 0.1f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-2.0f, -0.125f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(2.0f, -0.125f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(2.0f, 0.125f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-2.0f, 0.125f, 0.0f);
    glEnd();
    glPopMatrix();
}

void SpriteField::DrawSprites() {
    if (sprites == nullptr) return;
    for (int i = 0; i < kSpriteCount; ++i) sprites[i].Draw();
}

void SpriteField::EndDraw() {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
