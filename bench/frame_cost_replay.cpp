// Capture and bare replay of one kaleidoscope frame (see the header).
#include "frame_cost_replay.h"

#include <cmath>

#include "assets/TextureImage.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

void CaptureFrame(const Scene& scene, const WedgeConfig& config, FrameSnapshot* frame) {
    const SpriteField& field = *scene.spriteField;
    glGetDoublev(GL_MODELVIEW_MATRIX, frame->camera);
    const GradientPhases gradient = GradientAt(scene.sceneTimeBase, scene.sceneTime);
    const double a = gradient.colourA, b = gradient.colourB;
    frame->gradientTurn = gradient.turn;
    frame->top[0] = field.backgroundColor.x;
    frame->top[1] = field.backgroundColor.y;
    frame->top[2] = field.backgroundColor.z;
    frame->bottom[0] = float((std::sin(a) + 1.0) * 0.25);
    frame->bottom[1] = 0.0f;
    frame->bottom[2] = float((std::cos(a) + 1.0) * 0.25);
    frame->bottom[3] = float((std::cos(b) + 1.0) * 0.25);
    frame->atlas = field.images != nullptr ? field.images[0].textureName : 0;
    frame->logo = field.images != nullptr ? field.images[1].textureName : 0;
    frame->mirrored = scene.mirrored;
    frame->segmentCount = config.segmentCount < 64 ? config.segmentCount : 64;
    for (int i = 0; i < frame->segmentCount; i += 2) frame->passTurn[i] = float(i) * config.segmentAngle;
    for (int i = 0; i < 4; ++i) {
        frame->clipFirst[i] = config.clipFirst[i];
        frame->clipSecond[i] = config.clipSecond[i];
    }
    for (int i = 0; i < 16; ++i) {
        const Sprite& s = field.sprites[i];
        SpriteSnapshot& out = frame->sprites[i];
        out = {s.position.x, s.position.y, s.position.z, s.angle, s.scale, {1, 1, 1, 1}, s.frame >= 29,
               s.texLeft, s.texTop, float(double(s.texLeft) + double(s.texWidth)),
               float(double(s.texTop) + double(s.texHeight))};
        if (out.tinted) {
            for (int c = 0; c < 4; ++c) out.colour[c] = s.tint[c];
        }
    }
}

namespace {

void ReplaySprites(const FrameSnapshot& frame) {
    for (const SpriteSnapshot& s : frame.sprites) {
        glPushMatrix();
        glTranslatef(s.x, s.y, s.z);
        glRotatef(-s.angle, 0.0f, 0.0f, 1.0f);
        glScalef(s.scale, s.scale, s.scale);
        if (s.tinted) {
            glColor4f(s.colour[0], s.colour[1], s.colour[2], s.colour[3]);
        } else {
            glColor3f(1.0f, 1.0f, 1.0f);
        }
        glBegin(GL_QUADS);
        glTexCoord2f(s.left, s.bottom);
        glVertex3f(-1.0f, -1.0f, 0.0f);
        glTexCoord2f(s.right, s.bottom);
        glVertex3f(1.0f, -1.0f, 0.0f);
        glTexCoord2f(s.right, s.top);
        glVertex3f(1.0f, 1.0f, 0.0f);
        glTexCoord2f(s.left, s.top);
        glVertex3f(-1.0f, 1.0f, 0.0f);
        glEnd();
        glPopMatrix();
    }
}

void ReplayBackground(const FrameSnapshot& frame) {
    glDisable(GL_CULL_FACE);
    glPushMatrix();
    glRotatef(frame.gradientTurn, 0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glColor3fv(frame.top);
    glVertex3f(-32.0f, 32.0f, -10.0f);
    glVertex3f(32.0f, 32.0f, -10.0f);
    glColor4f(frame.bottom[0], frame.bottom[1], frame.bottom[2], frame.bottom[3]);
    glVertex3f(32.0f, -32.0f, -10.0f);
    glVertex3f(-32.0f, -32.0f, -10.0f);
    glEnd();
    glPopMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, frame.logo);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, float(GL_MODULATE));
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
    glBindTexture(GL_TEXTURE_2D, frame.atlas);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, float(GL_MODULATE));
}

}  // namespace

void ReplayFrame(const FrameSnapshot& frame) {
    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadMatrixd(frame.camera);
    glPushMatrix();
    ReplayBackground(frame);
    if (frame.mirrored) {
        glEnable(GL_CLIP_PLANE0);
        glEnable(GL_CLIP_PLANE1);
    }
    for (int i = 0; i < frame.segmentCount; i += 2) {
        glPushMatrix();
        glRotatef(frame.passTurn[i], 0.0f, 0.0f, 1.0f);
        glFrontFace(GL_CCW);
        glClipPlane(GL_CLIP_PLANE0, frame.clipFirst);
        glClipPlane(GL_CLIP_PLANE1, frame.clipSecond);
        ReplaySprites(frame);
        if (frame.mirrored) {
            glScalef(-1.0f, 1.0f, 1.0f);
            glFrontFace(GL_CW);
            glClipPlane(GL_CLIP_PLANE0, frame.clipFirst);
            glClipPlane(GL_CLIP_PLANE1, frame.clipSecond);
            ReplaySprites(frame);
        }
        glPopMatrix();
        if (!frame.mirrored) break;
    }
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
    glFrontFace(GL_CCW);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glFlush();
}
