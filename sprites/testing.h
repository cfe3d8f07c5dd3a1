// Test seam of the sprite layer. The program's own code never calls these.
#pragma once

namespace spritestest {

// How many times SpriteField::DrawSprites has run since the last reset.
int DrawSpritesCalls();
void ResetDrawSpritesCalls();

}  // namespace spritestest
