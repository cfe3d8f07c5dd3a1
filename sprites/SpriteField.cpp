// The sprite field: construction with its random draws in order, set-up,
// per-frame update and the shared drift, tear-down.
#include "sprites/SpriteField.h"

#include <new>

#include "assets/TextureLoader.h"
#include "common/Random.h"
#include "common/Smoothstep.h"
#include "platform/gl.h"
#include "scene/Scene.h"
#include "sprites/Sprite.h"

SpriteField* activeSpriteField = nullptr;

namespace {

constexpr float kSpawnPhaseStep = 0.06666667f;  // 1/15: sprites 0 and 15 share a slot

bool DrawsBelow(float u, double limit) {
    return double(u) < limit;
}

}  // namespace

int RandomCell(int count) {
    int cell = RandomIndex(count);
    return cell < count ? cell : count - 1;
}

SpriteField::SpriteField(Scene* owner, bool randomCells) : scene(owner), randomFrames(randomCells) {
    backgroundColor.Set(0.0f, 0.5f, 0.1f);
    activeSpriteField = this;
    sprites = nullptr;
    driftLength = 0;
    driftStep = 0;
    scale = float(double(UniformRandom()) * 0.75 + 0.25);
    spin = float(double(UniformRandom()) * 720.0);
    prng::rand();
    prng::rand();
    formation = RandomIndex(2) == 0;
    images = nullptr;
    frameCount = 32;
    frame = 0;
}

SpriteField::~SpriteField() {
    if (images != nullptr) {
        const GLuint names[2] = {images[0].textureName, images[1].textureName};
        glDeleteTextures(2, names);
        delete[] images;
        images = nullptr;
    }
    delete[] sprites;
}

void SpriteField::SetUp() {
    SpawnSprites();
    glClearColor(backgroundColor.x, backgroundColor.y, backgroundColor.z, 1.0f);
    LoadImages();
}

// Without memory for the array the field draws no sprites but keeps running.
void SpriteField::SpawnSprites() {
    frame = RandomCell(frameCount);
    sprites = new (std::nothrow) Sprite[kSpriteCount];
    if (sprites == nullptr) return;
    for (int i = 0; i < kSpriteCount; ++i) sprites[i].Spawn(float(double(i) * double(kSpawnPhaseStep)));
}

void SpriteField::LoadImages() {
    images = new (std::nothrow) TextureImage[2]();
    if (images != nullptr) {
        LoadMaskedTexture(&images[0], "JPEG_FRUIT_RGB", "JPEG_FRUIT_MASK");
        LoadTexture(&images[1], "LOGO_MASK");
    }
    glDisable(GL_LIGHTING);
}

void SpriteField::Update() {
    randomFrames = true;
    if (sprites == nullptr) return;
    for (int i = 0; i < kSpriteCount; ++i) sprites[i].Update();
}

// Every life goes on as it was: the clock has moved its origin by `seconds`.
void SpriteField::RebaseTimes(double seconds) {
    if (sprites == nullptr) return;
    for (int i = 0; i < kSpriteCount; ++i) sprites[i].birthTime = float(double(sprites[i].birthTime) - seconds);
}

void SpriteField::StepDrift() {
    ++driftStep;
    if (driftStep > driftLength) BeginDriftCycle();
    const double s = Smoothstep(double(driftStep) / double(driftLength));
    scale = float(double(scaleFrom) + s * double(scaleDelta));
    spin = float(double(spinFrom) + s * double(spinDelta));
}

// A new cycle: new length, formation and shared cell, perhaps a wedge change,
// and new targets for scale and spin in the band away from the current value.
void SpriteField::BeginDriftCycle() {
    driftStep = 0;
    driftLength = 1 + RandomIndex(16);
    formation = RandomIndex(2) == 0;
    frame = RandomCell(frameCount);
    if (DrawsBelow(UniformRandom(), double(0.1f))) scene->SelectRandomConfig(true);

    scaleFrom = scale;
    if (DrawsBelow(UniformRandom(), 0.5)) {
        const double band = double(scale) < 0.625 ? 0.375 : 0.0;
        scaleDelta = float(double(UniformRandom()) * 0.375 + band + 0.25 - double(scaleFrom));
    } else {
        scaleDelta = 0.0f;
    }

    spinFrom = spin;
    if (DrawsBelow(UniformRandom(), 0.5)) {
        const double u = UniformRandom();
        spinDelta = float(double(spin) > 360.0 ? u * 360.0 - double(spinFrom) : (u + 1.0) * 360.0 - double(spinFrom));
    } else {
        spinDelta = 0.0f;
    }
}
