// The Scene's set-up, frame cycle and tear-down; the composition fills in its
// own steps (Kaleidoscope.cpp).
#include "scene/Scene.h"

#include <algorithm>
#include <ctime>

#include "common/Random.h"
#include "platform/gl.h"

namespace {

constexpr uint32_t kMirroredFlag = 0x10000;

// Runs started a multiple of 256 seconds apart share one random sequence.
void SeedRandom() {
    prng::srand(unsigned(std::time(nullptr) % 256));
    prng::rand();
}

void SetProjection(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, double(width) / double(height), 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
}

void SetDepthState() {
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

// Camera 5.5 units in front of the origin: x to the right, y up.
void PlaceCamera() {
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 5.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

}  // namespace

void Scene::SetUp(int width, int height) {
    SeedRandom();
    targetRate = 30;
    frameDelay = 41;
    Resize(width, height);
    TakeWantedSize();
    SetUpWedges();
    StartClock();
    SetUpSpriteField();
    SetDepthState();
}

void Scene::TearDown() {
    TearDownSpriteField();
}

// A collapsed side (0 pixels, or less) counts as one, as an X window has at
// least one: the aspect ratio stays finite and the viewport valid.
void Scene::Resize(int width, int height) {
    wantedWidth = std::max(width, 1);
    wantedHeight = std::max(height, 1);
}

void Scene::TakeWantedSize() {
    viewWidth = wantedWidth;
    viewHeight = wantedHeight;
    SetProjection(viewWidth, viewHeight);
}

bool Scene::Render(uint32_t flags) {
    // A storm of size changes costs one projection change, here.
    if (wantedWidth != viewWidth || wantedHeight != viewHeight) TakeWantedSize();
    mirrored = (flags & kMirroredFlag) != 0;
    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PlaceCamera();
    Update();
    DrawFrame();
    glFlush();
    return true;
}

void Scene::Update() {
    UpdateClock();
    UpdateSpriteField();
}
