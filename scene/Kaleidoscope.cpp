// The kaleidoscope composition: its steps in the Scene's set-up, frame and
// tear-down.
#include "scene/Scene.h"

void Scene::SetUpWedges() {
    mirrored = true;
}

void Scene::SetUpSpriteField() {}

void Scene::UpdateSpriteField() {}

void Scene::DrawFrame() {}

void Scene::TearDownSpriteField() {}
