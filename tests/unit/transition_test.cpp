// Selecting wedge configurations and the eased change of wedge angle.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/Random.h"
#include "scene/Scene.h"
#include "scene/testing.h"

namespace {

class TransitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        scenetest::ResetTransition();
        scene.SetUpWedges();
        scene.SelectConfig(0, false);  // 36 degrees, 10 wedges
        scene.sceneTime = 10.0f;
    }
    void TearDown() override { scenetest::ResetTransition(); }

    const WedgeConfig& FrameAt(float seconds) {
        scene.sceneTime = seconds;
        return scene.FrameConfig();
    }

    Scene scene;
};

TEST_F(TransitionTest, WithoutAnimationTheFrameShowsTheSelection) {
    scene.SelectConfig(5, false);
    EXPECT_FALSE(wedgeTransition.active);
    EXPECT_EQ(&FrameAt(10.0f), &scene.configs[5]);
}

TEST_F(TransitionTest, WorkedExampleFrom36To15Degrees) {
    scene.SelectConfig(7, true);
    EXPECT_EQ(scene.currentConfig, &scene.configs[7]);
    const struct {
        float time;
        float angle;
        int wedges;
        bool active;
    } frames[] = {
        {10.0f, 36.0f, 10, true},     // the first frame shows the old angle exactly
        {10.5f, 32.71875f, 11, true},  // p 0.25, smoothstep 0.15625
        {11.0f, 25.5f, 15, true},
        {12.0f, 15.0f, 24, false},
    };
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.time);
        const WedgeConfig& config = FrameAt(frame.time);
        EXPECT_EQ(config.segmentAngle, frame.angle);
        EXPECT_EQ(config.segmentCount, frame.wedges);
        EXPECT_EQ(wedgeTransition.active, frame.active);
    }
    EXPECT_EQ(&FrameAt(12.1f), &scene.configs[7]);
}

TEST_F(TransitionTest, RestartHalfwayContinuesFromTheAngleOnScreen) {
    scene.SelectConfig(7, true);  // 36 -> 15
    EXPECT_EQ(FrameAt(11.0f).segmentAngle, 25.5f);
    scene.SelectConfig(4, true);  // -> 20 degrees, from the 25.5 on screen
    EXPECT_EQ(wedgeTransition.fromAngle, 25.5f);
    EXPECT_EQ(wedgeTransition.toAngle, 20.0f);
    EXPECT_EQ(wedgeTransition.startTime, 11.0f);
    EXPECT_EQ(FrameAt(11.0f).segmentAngle, 25.5f);  // no jump
    EXPECT_EQ(FrameAt(12.0f).segmentAngle, 22.75f);
    EXPECT_TRUE(wedgeTransition.active);  // a fresh 2 seconds
    EXPECT_EQ(FrameAt(13.0f).segmentAngle, 20.0f);
    EXPECT_FALSE(wedgeTransition.active);
}

TEST_F(TransitionTest, SelectionAfterTwoSecondsBeforeTheFrameStepStartsFromTheOldTarget) {
    scene.SelectConfig(7, true);  // 36 -> 15 at 10 s, no frame drawn since
    scene.sceneTime = 12.5f;
    scene.SelectConfig(2, true);  // 14 wedges
    EXPECT_TRUE(wedgeTransition.active);
    EXPECT_EQ(wedgeTransition.fromAngle, 15.0f);
    EXPECT_EQ(FrameAt(12.5f).segmentAngle, 15.0f);
}

TEST_F(TransitionTest, SelectingTheCurrentEntryStartsATransitionToTheSameAngle) {
    scene.SelectConfig(0, true);
    EXPECT_TRUE(wedgeTransition.active);
    EXPECT_EQ(FrameAt(11.0f).segmentAngle, 36.0f);
    // A later selection within the 2 seconds is a restart from the angle on screen.
    scene.SelectConfig(7, true);
    EXPECT_EQ(wedgeTransition.fromAngle, 36.0f);
    EXPECT_EQ(wedgeTransition.startTime, 11.0f);
    EXPECT_EQ(FrameAt(11.5f).segmentAngle, 32.71875f);
}

TEST_F(TransitionTest, RandomSelectionDrawsOneIndexAndEightMeansEntryZero) {
    const struct {
        int rand;
        int entry;
    } rows[] = {{0, 0}, {4095, 0}, {4096, 1}, {16384, 4}, {32766, 7}, {32767, 0}};
    for (const auto& row : rows) {
        prng::ForceNext(row.rand);
        prng::ForceNext(777);
        scene.SelectRandomConfig(false);
        EXPECT_EQ(scene.currentConfig, &scene.configs[row.entry]) << row.rand;
        EXPECT_EQ(prng::rand(), 777);  // exactly one draw
    }
    // The generator's own draws: state = state * 1103515245 + 12345 (mod 2^32),
    // rand = its bits 16 to 30; 15 bits, the top one used.
    const struct {
        unsigned seed;
        int draws[4];
    } seeds[] = {{1, {16838, 5758, 10113, 17515}}, {0, {0, 21468, 9988, 22117}}, {255, {1160, 13267, 9283, 28381}}};
    for (const auto& row : seeds) {
        prng::srand(row.seed);
        for (int draw : row.draws) EXPECT_EQ(prng::rand(), draw) << "seed " << row.seed;
    }
    int highest = 0;
    for (int i = 0; i < 65536; ++i) highest = std::max(highest, prng::rand());
    EXPECT_LE(highest, prng::kRandMax);
    EXPECT_GT(highest, prng::kRandMax / 2);
    scene.SelectConfig(8, false);
    EXPECT_EQ(scene.currentConfig, &scene.configs[0]);
}

}  // namespace
