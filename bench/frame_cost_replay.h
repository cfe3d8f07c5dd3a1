// A bare replay of one kaleidoscope frame: the same OpenGL calls that Render
// makes, issued from values captured beforehand, without any of the
// program's logic (no clock, no sprite updates, no drift, no wedge building).
#pragma once

#include "platform/gl.h"
#include "scene/Scene.h"

struct SpriteSnapshot {
    float x, y, z, angle, scale;
    float colour[4];
    bool tinted;
    float left, top, right, bottom;  // texture rectangle
};

struct FrameSnapshot {
    GLdouble camera[16];
    float gradientTurn;  // degrees
    float top[3];
    float bottom[4];
    GLuint logo = 0;
    GLuint atlas = 0;
    bool mirrored = true;
    int segmentCount = 0;
    float passTurn[64];  // degrees, per pass
    double clipFirst[4];
    double clipSecond[4];
    SpriteSnapshot sprites[16];
};

// Captures the frame that `scene` has just rendered, drawn with `config`.
void CaptureFrame(const Scene& scene, const WedgeConfig& config, FrameSnapshot* frame);
// Issues the frame's OpenGL calls.
void ReplayFrame(const FrameSnapshot& frame);
