// Capture and bare replay of one kaleidoscope frame (see the header).
#include "frame_cost_replay.h"

#include <algorithm>

void CaptureFrame(const Scene& scene, const WedgeConfig& config, FrameSnapshot* frame) {
    glGetDoublev(GL_MODELVIEW_MATRIX, frame->camera);
    frame->sceneTimeBase = scene.sceneTimeBase;
    frame->sceneTime = scene.sceneTime;
    frame->mirrored = scene.mirrored;
    frame->config = config;
    std::copy(scene.spriteField->sprites, scene.spriteField->sprites + SpriteField::kSpriteCount, frame->sprites);
}

void ReplayFrame(Scene* scene, const FrameSnapshot& frame) {
    scene->sceneTimeBase = frame.sceneTimeBase;
    scene->sceneTime = frame.sceneTime;
    scene->mirrored = frame.mirrored;
    std::copy(frame.sprites, frame.sprites + SpriteField::kSpriteCount, scene->spriteField->sprites);
    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadMatrixd(frame.camera);
    scene->DrawKaleidoscope(frame.config);
    glFlush();
}
