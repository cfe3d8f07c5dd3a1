// The kaleidoscope composition: its steps in the Scene's set-up, frame and
// tear-down.
#include "scene/Scene.h"

// Entry (i - 10) / 2 holds the configuration of i wedges.
void Scene::SetUpWedges() {
    for (int wedges = 10; wedges <= 24; wedges += 2) {
        BuildWedgeConfig(&configs[(wedges - 10) / 2], float(360.0 / double(wedges)));
    }
    SelectRandomConfig(false);
    mirrored = true;
}

void Scene::SetUpSpriteField() {}

void Scene::UpdateSpriteField() {}

void Scene::DrawFrame() {
    FrameConfig();
}

void Scene::TearDownSpriteField() {}
