// The sprite layer: sixteen sprites, the atlas and logo textures, the turning
// gradient with the faint banner, and the shared look values that drift
// slowly between random targets at every rebirth.
#pragma once

#include <cstdint>

#include "common/Vector3.h"

class Scene;
class Sprite;
struct TextureImage;

class SpriteField {
public:
    static constexpr int kSpriteCount = 16;

    SpriteField(Scene* scene, bool randomFrames);
    // Releases the textures, the image block and the sprites; the rendering
    // context must be current.
    ~SpriteField();
    SpriteField(const SpriteField&) = delete;
    SpriteField& operator=(const SpriteField&) = delete;

    // Spawns the sprites, sets the clear colour and loads the images.
    void SetUp();
    // The sprites on the shared cell with evenly spread phases (no OpenGL).
    void SpawnSprites();
    void LoadImages();
    void Update();
    // Moves every birth time `seconds` earlier, with the clock's rebasing.
    void RebaseTimes(double seconds);
    // The gradient and the banner, leaving the state the sprites draw under.
    void DrawBackground();
    void DrawSprites();
    void EndDraw();
    // One step of the shared drift; called at every sprite rebirth.
    void StepDrift();

    Sprite* sprites = nullptr;  // kSpriteCount, owned
    Scene* scene;               // the owner
    float scale;                // shared scale level, 0.25 to 1
    float spin;                 // shared spin level, degrees per life, 0 to 720
    int driftStep = 0;          // steps taken in the current drift cycle
    int driftLength = 0;        // steps in the current drift cycle
    bool formation;             // reborn sprites copy the shared look exactly
    float scaleFrom = 0.0f;
    float spinFrom = 0.0f;
    float scaleDelta = 0.0f;
    float spinDelta = 0.0f;
    int frame = 0;              // shared atlas cell
    int frameCount = 32;        // atlas cells to choose from
    TextureImage* images = nullptr;  // two, owned: 0 the atlas, 1 the logo
    Vector3 backgroundColor;    // clear colour and the gradient's top edge
    bool randomFrames;          // individually reborn sprites draw a random cell

private:
    void BeginDriftCycle();
    void DrawGradient(int64_t sceneTimeBase, float sceneTime);
    void DrawBanner();
};

// The one field of the process, for the sprites.
extern SpriteField* activeSpriteField;

// The gradient at sceneTime seconds after sceneTimeBase whole seconds: its
// turn in degrees, and the angles in radians from which its bottom colour is
// made (`colourA` for red and blue, `colourB` for alpha).
struct GradientPhases {
    float turn;
    float colourA;
    float colourB;
};
GradientPhases GradientAt(int64_t sceneTimeBase, float sceneTime);

// An atlas cell for a fresh uniform value: the integer part of u x count,
// kept within the atlas when u is exactly 1.
int RandomCell(int count);
