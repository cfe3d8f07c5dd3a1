// A bare replay of one kaleidoscope frame: the program's own drawing
// (Scene::DrawKaleidoscope and what it calls) over the values a Render left,
// without any of its logic (no clock, no sprite updates, no drift, no wedge
// building), so the replay issues exactly the OpenGL calls that Render issued.
#pragma once

#include <cstdint>

#include "platform/gl.h"
#include "scene/Scene.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

struct FrameSnapshot {
    GLdouble camera[16];
    int64_t sceneTimeBase = 0;  // whole seconds rebased off sceneTime
    float sceneTime = 0.0f;     // seconds
    bool mirrored = true;
    WedgeConfig config;
    Sprite sprites[SpriteField::kSpriteCount];
};

// Captures the frame that `scene` has just rendered, drawn with `config`.
void CaptureFrame(const Scene& scene, const WedgeConfig& config, FrameSnapshot* frame);
// Puts the captured values back into `scene` and draws the frame from them.
void ReplayFrame(Scene* scene, const FrameSnapshot& frame);
