// Sprites: lives, rebirths, looks and the texture cell, with the generator
// seeded or its results queued.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <set>

#include "common/Random.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

namespace {

constexpr int kAtLeastHalf = 16384;  // the smallest draw with u >= 0.5
constexpr int kOne = 32767;          // u exactly 1

void Queue(std::initializer_list<int> values) {
    for (int value : values) prng::ForceNext(value);
}

float UniformFor(int draw) {
    return float(double(draw) * double(3.0518509e-05f));
}

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

// At sceneTime 0 sprite 15 (phase 1, born at -20) has p = 20 x 0.05f =
// 1.0000000149 in double: its life ends at once. In float it would be 1.
TEST_F(SpriteTest, SpriteFifteensFirstLifeEndsInTheVeryFirstUpdate) {
    SpriteField field(&scene, false);
    field.SpawnSprites();
    field.Update();
    EXPECT_GT(field.driftLength, 0) << "no drift step: sprite 15 was not reborn";
    EXPECT_EQ(field.driftStep, 0);
    EXPECT_LT(field.sprites[15].phase, 1e-6f);
    for (int i = 0; i < 15; ++i) EXPECT_NEAR(field.sprites[i].phase, i / 15.0, 1e-6) << i;
}

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

TEST_F(SpriteTest, FormationCopiesTheSharedLook) {
    SpriteField field(&scene, true);
    field.formation = true;
    field.scale = 0.7f;
    field.spin = 123.0f;
    field.frame = 12;
    Sprite sprite;
    Queue({1, 2, 3, 4, kOne, kOne});  // tint r, g, b, a; y; z
    sprite.Respawn();
    EXPECT_EQ(sprite.scale, float(0.7 + 0.25));
    EXPECT_EQ(sprite.spin, 123.0f);
    EXPECT_EQ(sprite.frame, 12);
    EXPECT_EQ(sprite.tint[0], UniformFor(1));
    EXPECT_EQ(sprite.position.y, -2.4f);
    EXPECT_EQ(sprite.position.z, 2.0f);
}

TEST_F(SpriteTest, WithoutFormationTheLookVariesAroundTheSharedOne) {
    SpriteField field(&scene, true);
    field.formation = false;
    field.scale = 0.5f;
    field.spin = 300.0f;
    std::set<int> cells;
    Sprite sprite;
    for (int i = 0; i < 2000; ++i) {
        sprite.Respawn();
        ASSERT_GE(sprite.scale, 0.25f);
        ASSERT_LE(sprite.scale, 0.75f);
        ASSERT_GE(sprite.spin, 0.0f);
        ASSERT_LE(sprite.spin, 600.0f);
        ASSERT_GE(sprite.position.y, -2.4f);
        ASSERT_LE(sprite.position.y, 0.0f);
        ASSERT_GE(sprite.position.z, 0.0f);
        ASSERT_LE(sprite.position.z, 2.0f);
        cells.insert(sprite.frame);
    }
    EXPECT_EQ(cells.size(), 32u);
    EXPECT_EQ(*cells.rbegin(), 31);
}

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

TEST_F(SpriteTest, CrossesFromMinusChordToTwiceTheChord) {
    SpriteField field(&scene, false);
    const double chord = scene.currentConfig->chordLength;
    Sprite sprite;
    sprite.spin = 90.0f;
    for (float time : {0.0f, 10.0f, 19.999f}) {
        scene.sceneTime = time;
        sprite.Update();
        const float phase = float(double(time) * double(0.05f));
        EXPECT_EQ(sprite.phase, phase);
        EXPECT_EQ(sprite.position.x, float(chord * double(phase) * 3.0 - chord));
        EXPECT_EQ(sprite.angle, float(90.0 * double(phase)));
    }
    EXPECT_NEAR(sprite.position.x, 2 * chord, 1e-3);
}

// The sprites use the new configuration's chord from the moment of selection,
// while the drawn angle still eases.
TEST_F(SpriteTest, ChordChangesAtTheSelection) {
    SpriteField field(&scene, false);
    Sprite sprite;
    scene.sceneTime = 5.0f;
    sprite.birthTime = 0.0f;
    scene.SelectConfig(7, true);
    sprite.Update();
    const double chord = scene.configs[7].chordLength;
    EXPECT_EQ(sprite.position.x, float(chord * double(sprite.phase) * 3.0 - chord));
    EXPECT_EQ(scene.FrameConfig().segmentAngle, 36.0f);
}

// A rebirth's own drift step may change the configuration; that sprite's x
// still uses the chord read before it.
TEST_F(SpriteTest, RebornSpriteUsesTheChordReadBeforeItsDriftStep) {
    SpriteField field(&scene, false);
    const double chordBefore = scene.currentConfig->chordLength;
    Sprite sprite;
    sprite.birthTime = -30.0f;
    scene.sceneTime = 0.0f;  // 1.5 lives
    // cycle: length, formation, cell, wedge change to entry 7, no scale or spin change
    Queue({0, 0, 0, 0, 30000, kAtLeastHalf, kAtLeastHalf});
    sprite.Update();
    ASSERT_EQ(scene.currentConfig, &scene.configs[7]);
    EXPECT_EQ(sprite.position.x, float(chordBefore * double(sprite.phase) * 3.0 - chordBefore));
}

}  // namespace
