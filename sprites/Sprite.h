// One square picture from the atlas that crosses the wedge during a 20-second
// life, turning about its centre, and is reborn with a new look.
#pragma once

#include "common/Vector3.h"

class Sprite {
public:
    // Stores `phase` (0 to 1) and draws a new look.
    void Spawn(float phase);
    // A new look from the shared values of activeSpriteField.
    void Respawn();
    // Advances to the Scene's sceneTime; a life that has ended is reborn here.
    void Update();
    // One textured quad in the current model-view frame.
    void Draw() const;

    Vector3 position;          // centre in the wedge's frame, scene units
    float phase = 0.0f;        // progress through the life, 0 to 1
    float birthTime = 0.0f;    // sceneTime at phase 0, seconds
    float scale = 0.0f;        // the quad spans -1 to 1 before scaling
    float spin = 0.0f;         // degrees turned over a whole life
    float angle = 0.0f;        // current turn, degrees
    int frame = 0;             // atlas cell, row by row from the top left
    float texLeft = 0.0f;      // texture s of the cell's left edge
    float texTop = 0.0f;       // texture t of the cell's top edge (t grows downwards)
    float texWidth = 0.0f;     // 0.125
    float texHeight = 0.0f;    // 0.25
    float tint[4] = {0, 0, 0, 0};  // colour of the lettering cells, r g b a
};
