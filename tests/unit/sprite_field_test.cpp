// The sprite field's construction, spawning and shared drift, with the
// generator's results queued where a test needs particular values.
#include <gtest/gtest.h>

#include <initializer_list>

#include "common/Random.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"
#include "tests/helpers/random_draws.h"

namespace {

class SpriteFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        scenetest::ResetTransition();
        scene.SetUpWedges();
        scene.SelectConfig(0, false);
        scene.sceneTime = 0.0f;
        prng::srand(99);
    }
    void TearDown() override { scenetest::ResetTransition(); }

    Scene scene;
};

TEST_F(SpriteFieldTest, ConstructionDrawsScaleSpinTwoDiscardsThenFormation) {
    const struct {
        std::initializer_list<int> draws;
        float scale, spin;
        bool formation;
    } rows[] = {
        {{0, kOne, 5, 6, kAtLeastHalf - 1}, 0.25f, 720.0f, true},
        {{kOne, 0, 5, 6, kAtLeastHalf}, 1.0f, 0.0f, false},
    };
    for (const auto& row : rows) {
        Queue(row.draws);
        SpriteField field(&scene, false);
        ExpectQueueUsedUp();
        EXPECT_EQ(field.scale, row.scale);
        EXPECT_EQ(field.spin, row.spin);
        EXPECT_EQ(field.formation, row.formation);
        EXPECT_EQ(activeSpriteField, &field);
    }
}

// Whatever formation says, the sprites of the set-up share the field's cell.
TEST_F(SpriteFieldTest, EverySpriteStartsOnTheFieldsCellWithPhasesInFifteenths) {
    for (int formationDraw : {0, kOne}) {
        Queue({100, 200, 1, 2, formationDraw});
        SpriteField field(&scene, false);
        field.SpawnSprites();
        ASSERT_NE(field.sprites, nullptr);
        for (int i = 0; i < SpriteField::kSpriteCount; ++i) {
            const Sprite& sprite = field.sprites[i];
            EXPECT_EQ(sprite.frame, field.frame) << i;
            EXPECT_EQ(sprite.phase, float(i * double(0.06666667f))) << i;
            EXPECT_EQ(sprite.birthTime, float(-20.0 * double(sprite.phase))) << i;
            if (field.formation) {
                EXPECT_EQ(sprite.scale, float(double(field.scale) + 0.25)) << i;
            }
        }
        EXPECT_EQ(field.sprites[15].phase, 1.0f);
        EXPECT_EQ(field.sprites[15].birthTime, -20.0f);
    }
}

// A value of exactly 1 would name cell 32, one past the atlas.
TEST_F(SpriteFieldTest, SharedCellStaysInsideTheAtlas) {
    const struct {
        int draw;
        int cell;
    } rows[] = {{0, 0}, {1024, 1}, {kOne - 1, 31}, {kOne, 31}};
    for (const auto& row : rows) {
        SpriteField field(&scene, false);
        prng::ForceNext(row.draw);
        field.SpawnSprites();
        EXPECT_EQ(field.frame, row.cell) << row.draw;
        EXPECT_EQ(field.sprites[0].frame, row.cell) << row.draw;
    }
}

TEST_F(SpriteFieldTest, FirstStepBeginsACycleAndLeavesScaleAndSpin) {
    SpriteField field(&scene, false);
    const float scale = field.scale, spin = field.spin;
    // length (u = 1 gives 17), formation, cell, no wedge change, scale and spin targets
    Queue({kOne, kAtLeastHalf, kOne, kAtLeastHalf, 0, 100, 0, 200});
    field.StepDrift();
    ExpectQueueUsedUp();
    EXPECT_EQ(field.driftStep, 0);
    EXPECT_EQ(field.driftLength, 17);
    EXPECT_FALSE(field.formation);
    EXPECT_EQ(field.frame, 31);
    EXPECT_EQ(field.scale, scale);
    EXPECT_EQ(field.spin, spin);
    EXPECT_EQ(field.scaleFrom, scale);
    EXPECT_EQ(field.spinFrom, spin);
    EXPECT_FALSE(wedgeTransition.active);
}

TEST_F(SpriteFieldTest, CycleOfLengthOneLandsOnItsTargetsInOneStep) {
    SpriteField field(&scene, false);
    field.scale = 0.5f;
    field.spin = 100.0f;
    Queue({0, 0, 3, kAtLeastHalf, 0, kOne, 0, kOne});
    field.StepDrift();
    ExpectQueueUsedUp();
    EXPECT_EQ(field.driftLength, 1);
    EXPECT_TRUE(field.formation);
    EXPECT_EQ(field.scale, 0.5f);
    field.StepDrift();
    EXPECT_EQ(field.driftStep, 1);
    EXPECT_EQ(field.scale, 1.0f);  // upper band, top
    EXPECT_EQ(field.spin, 720.0f);
    prng::srand(5);
    field.StepDrift();
    EXPECT_EQ(field.driftStep, 0);  // the step after the last begins the next cycle
}

// scale below 0.625 heads for [0.625, 1], from 0.625 on for [0.25, 0.625];
// spin up to 360 heads for [360, 720], above 360 for [0, 360]. Targets with u = 1.
TEST_F(SpriteFieldTest, BandEdges) {
    const struct {
        float scale, spin;
        float scaleTarget, spinTarget;
    } rows[] = {
        {0.625f, 360.0f, 0.625f, 720.0f},
        {0.62f, 360.5f, 1.0f, 360.0f},
        {0.25f, 0.0f, 1.0f, 720.0f},
        {1.0f, 720.0f, 0.625f, 360.0f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scale);
        SpriteField field(&scene, false);
        field.scale = row.scale;
        field.spin = row.spin;
        Queue({0, 0, 0, kAtLeastHalf, 0, kOne, 0, kOne});
        field.StepDrift();
        ExpectQueueUsedUp();
        EXPECT_FLOAT_EQ(float(double(field.scaleFrom) + double(field.scaleDelta)), row.scaleTarget);
        EXPECT_FLOAT_EQ(float(double(field.spinFrom) + double(field.spinDelta)), row.spinTarget);
    }
}

TEST_F(SpriteFieldTest, CycleWithBothDrawsAtHalfOrMoreKeepsScaleAndSpin) {
    SpriteField field(&scene, false);
    field.scale = 0.4f;
    field.spin = 500.0f;
    Queue({6144, 0, 0, kAtLeastHalf, kAtLeastHalf, kOne});  // length 4
    field.StepDrift();
    ExpectQueueUsedUp();
    ASSERT_EQ(field.driftLength, 4);
    for (int step = 1; step <= 4; ++step) {
        field.StepDrift();
        EXPECT_EQ(field.driftStep, step);
        EXPECT_EQ(field.scale, 0.4f);
        EXPECT_EQ(field.spin, 500.0f);
    }
}

TEST_F(SpriteFieldTest, WedgeChangeOnlyBelowOneTenth) {
    const struct {
        int draw;
        bool change;
    } rows[] = {{0, true}, {3276, true}, {3277, false}, {kOne, false}};
    for (const auto& row : rows) {
        scenetest::ResetTransition();
        SpriteField field(&scene, false);
        Queue({0, 0, 0, row.draw});
        if (row.change) prng::ForceNext(kOne);  // the configuration's index: 8, entry 0
        Queue({kAtLeastHalf, kAtLeastHalf});
        field.StepDrift();
        ExpectQueueUsedUp();
        EXPECT_EQ(wedgeTransition.active, row.change) << row.draw;
    }
}

}  // namespace
