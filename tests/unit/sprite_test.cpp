// Sprites: lives, rebirths, looks and the texture cell, with the generator
// seeded or its results queued.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "common/Random.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"
#include "tests/helpers/random_draws.h"

namespace {

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        scenetest::ResetTransition();
        scene.SetUpWedges();
        scene.SelectConfig(0, false);  // chord 2.4721
        scene.sceneTime = 0.0f;
        prng::srand(2024);
    }
    void TearDown() override { scenetest::ResetTransition(); }

    Scene scene;
};

// p exactly 1.0 cannot arise from float times; the nearest case, a phase
// that rounds to exactly 1 on storing, must not end the life either.
TEST_F(SpriteTest, OnlyAPhasePastOneEndsTheLife) {
    const struct {
        float birthTime;
        bool reborn;
    } rows[] = {
        {float(std::ldexp(5.0, -24)), false},  // p = 1 - 2^-52, stored as 1.0f
        {0.0f, true},                          // p = 1 + 2^-26
    };
    for (const auto& row : rows) {
        SpriteField field(&scene, false);
        Sprite sprite;
        sprite.birthTime = row.birthTime;
        scene.sceneTime = 20.0f;
        sprite.Update();
        EXPECT_EQ(field.driftLength > 0, row.reborn) << row.birthTime;
        if (!row.reborn) {
            EXPECT_EQ(sprite.phase, 1.0f);
        }
    }
}

TEST_F(SpriteTest, AStallOfSeveralLivesMakesOneRebirthAndKeepsTheFraction) {
    SpriteField field(&scene, false);
    field.driftLength = 16;
    field.driftStep = 3;
    Sprite sprite;
    sprite.birthTime = 0.0f;
    scene.sceneTime = 65.0f;  // 3.25 lives
    sprite.Update();
    EXPECT_EQ(field.driftStep, 4);  // one drift step
    const double p = 65.0 * double(0.05f);
    EXPECT_EQ(sprite.phase, float(p - 3.0));
    EXPECT_EQ(sprite.birthTime, float(65.0 - 20.0 * double(sprite.phase)));
}

// The shared look a formation copies: tests/trace (the set-up's sprites).
TEST_F(SpriteTest, RandomCellStaysInsideTheAtlasAndFollowsTheDrawOrder) {
    SpriteField field(&scene, true);
    field.formation = false;
    field.scale = 1.0f;
    field.spin = 100.0f;
    Sprite sprite;
    Queue({kOne, kOne, kOne, 0, 0, 0, 0, 0, 0});  // spin, scale, cell; tint; y; z
    sprite.Respawn();
    EXPECT_EQ(sprite.spin, 200.0f);
    EXPECT_EQ(sprite.scale, 1.25f);
    EXPECT_EQ(sprite.frame, 31);
    EXPECT_EQ(sprite.texTop, 0.75f);
    EXPECT_EQ(sprite.tint[0], 0.0f);
    EXPECT_EQ(sprite.position.z, 0.0f);

    field.randomFrames = false;  // as during the set-up: the shared cell, no draw
    field.frame = 9;
    Queue({kOne, kOne, 0, 0, 0, 0, 0, kOne});
    sprite.Respawn();
    EXPECT_EQ(sprite.frame, 9);
    EXPECT_EQ(sprite.position.z, 2.0f);
}

TEST_F(SpriteTest, TextureRectangleOfTheCell) {
    const struct {
        int cell;
        float left, top;
    } rows[] = {{0, 0.0f, 0.0f}, {7, 0.875f, 0.0f}, {8, 0.0f, 0.25f}, {31, 0.875f, 0.75f}, {28, 0.5f, 0.75f}};
    SpriteField field(&scene, false);
    field.formation = true;
    for (const auto& row : rows) {
        field.frame = row.cell;
        Sprite sprite;
        sprite.Respawn();
        EXPECT_EQ(sprite.texLeft, row.left) << row.cell;
        EXPECT_EQ(sprite.texTop, row.top) << row.cell;
        EXPECT_EQ(sprite.texWidth, 0.125f);
        EXPECT_EQ(sprite.texHeight, 0.25f);
    }
}

}  // namespace
