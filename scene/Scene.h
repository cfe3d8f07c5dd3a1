// The kaleidoscope object: frame clock, wedge configurations, sprite field,
// and the cycle of every frame.
#pragma once

#include <cstdint>

#include "scene/WedgeConfig.h"

class SpriteField;

class Scene {
public:
    // Builds a complete Scene for a drawing area of width x height pixels;
    // needs the OpenGL context current.
    void SetUp(int width, int height);
    // Releases what the Scene owns, while the context is still current.
    void TearDown();
    // Draws one frame into the back buffer; bit 16 of `flags` means mirrored.
    // Always true: show the frame by swapping buffers.
    bool Render(uint32_t flags);
    // The drawing area is now width x height pixels: the next Render takes the
    // viewport and projection for the last size given, and nothing else.
    void Resize(int width, int height);
    void TakeWantedSize();
    void Update();

    // Frame clock.
    void StartClock();
    void UpdateClock();
    void CloseMeasureWindow(double seconds);
    // Moves the origin of sceneTime and of every stored time on by `seconds`.
    void RebaseClock(int64_t seconds);

    // Wedge configurations.
    void SelectConfig(int index, bool animate);
    void SelectRandomConfig(bool animate);
    // The configuration to draw this frame: currentConfig, or blendedConfig
    // rebuilt for the eased angle while a transition runs.
    const WedgeConfig& FrameConfig();
    void DrawKaleidoscope(const WedgeConfig& config);
    void DrawWedgePair(const WedgeConfig& config, int wedge);

    // The composition's steps in the set-up, the frame and the tear-down.
    void SetUpWedges();
    void SetUpSpriteField();
    void UpdateSpriteField();
    void RebaseSpriteField(double seconds);
    void DrawFrame();
    void TearDownSpriteField();

    WedgeConfig configs[8];                // 10, 12, ..., 24 wedges
    SpriteField* spriteField = nullptr;    // owned
    WedgeConfig* currentConfig = nullptr;  // one entry of configs
    bool mirrored = true;

    // The Scene's part of the frame clock.
    float measuredRate = 0.0f;     // frames per second over the last closed window
    float sceneTime = 0.0f;        // seconds since clock start, whole milliseconds
    float lastMeasureTime = 0.0f;  // sceneTime at which the last window closed
    int windowFrames = 0;          // clock updates counted in the current window
    int targetRate = 0;            // frames per second wanted
    int frameDelay = 0;            // milliseconds the main loop sleeps after each frame
    // Whole seconds since clock start that rebasing has taken off sceneTime and
    // every stored time; sceneTimeBase + sceneTime is the time since clock start.
    int64_t sceneTimeBase = 0;

    // Drawing area in pixels: as the viewport has it, and as last given.
    int viewWidth = 0, viewHeight = 0;
    int wantedWidth = 0, wantedHeight = 0;
};
