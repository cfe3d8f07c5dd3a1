// The frame clock and its governor, driven by the stand-in's manual counter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/x11/testing.h"
#include "scene/FrameClock.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

namespace {

constexpr int64_t kTicksPerSecond = 1000000000;  // the stand-in's nanosecond counter

// sceneTime for a whole number of milliseconds.
float Seconds(int64_t milliseconds) {
    return float(double(milliseconds) * double(0.001f));
}

class FrameClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        scenetest::ResetClock();
        standin::UseManualClock(true);
        standin::SetManualCounter(origin, kTicksPerSecond);
        scene.targetRate = 30;
        scene.frameDelay = 41;
        scene.StartClock();
    }
    void TearDown() override {
        standin::UseManualClock(false);
        scenetest::ResetClock();
    }

    // One frame's update at `milliseconds` after the clock started (exact for
    // whole milliseconds up to 18 years).
    void UpdateAt(double milliseconds) {
        standin::SetManualCounter(origin + int64_t(milliseconds * 1e6), kTicksPerSecond);
        scene.Update();
    }
    // `frames` updates spread over the window that ends at `endMs`, then the
    // update at `endMs` that closes it.
    void RunWindow(double startMs, double endMs, int frames) {
        for (int i = 1; i <= frames; ++i) UpdateAt(startMs + (endMs - startMs) * i / (frames + 1));
        UpdateAt(endMs);
    }

    const int64_t origin = 987654321012345;  // any counter reading
    Scene scene;
};

TEST_F(FrameClockTest, FirstClosingMovesTheDelayFrom41To47WhateverTheRate) {
    for (int frames : {0, 1, 7, 30, 500}) {
        SCOPED_TRACE(frames);
        SetUp();
        for (int i = 1; i <= frames; ++i) {
            UpdateAt(999.0 * i / frames);
            ASSERT_EQ(scene.frameDelay, 41);
        }
        UpdateAt(1000);
        EXPECT_EQ(scene.frameDelay, 47);
        EXPECT_EQ(scene.windowFrames, 0);
        EXPECT_FLOAT_EQ(scene.measuredRate, float(frames));
        EXPECT_EQ(scene.lastMeasureTime, scene.sceneTime);
        TearDown();
    }
}

TEST_F(FrameClockTest, WorkedExampleUsesTheRateOfTheWindowBefore) {
    for (int i = 0; i < 20; ++i) UpdateAt(40 + 45 * i);
    UpdateAt(1020);  // 20 frames in 1.02 s: 19.6 per second
    EXPECT_EQ(scene.frameDelay, 47);
    EXPECT_NEAR(scene.measuredRate, 19.6f, 0.01);
    RunWindow(1020, 2030, 30);
    EXPECT_EQ(scene.frameDelay, 38);  // 47 + (33 - 52) / 2, truncated toward zero
    EXPECT_NEAR(scene.measuredRate, 29.7f, 0.01);
    RunWindow(2030, 3040, 30);
    EXPECT_EQ(scene.frameDelay, 38);  // 30 lies in the dead band
}

// Each row sets the rate of the window before, then closes a window.
TEST_F(FrameClockTest, GovernorTable) {
    struct Row {
        float previousRate;
        int delayBefore;
        int delayAfter;
    };
    const Row rows[] = {
        {1.0f, 500, 17},      {10.9f, 500, 467},   {20.0f, 500, 492},  {25.0f, 500, 497},  // -3.5 truncates to -3
        {28.0f, 500, 499},
        {29.0f, 500, 500},    {30.5f, 500, 500},   {31.99f, 500, 500}, {32.0f, 500, 501},
        {40.0f, 500, 504},    {50.0f, 500, 506},   {100.0f, 500, 511}, {1000.0f, 500, 516},
        {1500.0f, 500, 516},  // 1000 / previous is 0: +16
        {0.99f, 500, 500},    // truncates to 0: no correction
        {0.5f, 1200, 1000},   // the clamp runs without a correction too
        {1.0f, 41, 1},        {5000.0f, 995, 1000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.previousRate);
        SetUp();
        scene.measuredRate = row.previousRate;
        scene.frameDelay = row.delayBefore;
        RunWindow(0, 1000, 10);
        EXPECT_EQ(scene.frameDelay, row.delayAfter);
        TearDown();
    }
}

TEST_F(FrameClockTest, SceneTimeIsWholeMilliseconds) {
    struct Row {
        int64_t ticks;
        int64_t milliseconds;
    };
    const Row rows[] = {
        {999999, 0},
        {1999999, 1},
        {1234567891, 1234},
        {int64_t(8191999) * 1000000 + 999999, 8191999},  // the last millisecond before any rebasing
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ticks);
        standin::SetManualCounter(origin + row.ticks, kTicksPerSecond);
        scene.UpdateClock();
        EXPECT_EQ(scene.sceneTime, Seconds(row.milliseconds));
    }
}

// 33 ms frames at any uptime: scene time, sprite 0's phase, the gradient's turn and colours advance as
// in the first minute (to within 1 ms of motion), a forced transition is halfway at 1 s, and windows
// of 31 frames measure 30 / 1.023 s. The last two rows cross the first and the second rebasing.
TEST_F(FrameClockTest, MotionIsTheSameAtAnyUptime) {
    const int64_t h = 3600000, d = 24 * h;
    const int64_t uptimes[] = {0, h, 3 * h, d, 7 * d, 30 * d, 365 * d, 3652 * d, 8191500, 12287500};
    const double steps[] = {0.033, 0.00165, 0.264, 0.0033, 0.00066}, periods[] = {1e12, 1, 360, 2 * M_PI, 2 * M_PI};
    for (int64_t uptime : uptimes) {
        SetUp();
        scene.SetUpWedges();
        SpriteField field(&scene, false);
        field.SpawnSprites();
        field.driftLength = 1 << 30;  // no drift cycle begins, so no wedge change but the one forced below
        scene.spriteField = &field;
        double last[5] = {}, halfway = 0;
        for (int frame = 0; frame <= 100; ++frame) {
            UpdateAt(double(uptime + 33 * frame));
            const GradientPhases g = GradientAt(scene.sceneTimeBase, scene.sceneTime);
            const double time = double(scene.sceneTimeBase) + double(scene.sceneTime);
            const double now[5] = {time, field.sprites[0].phase, g.turn, g.colourA, g.colourB};
            for (int i = 0; i < 5 && frame > 0; ++i)
                ASSERT_NEAR(std::remainder(now[i] - last[i], periods[i]), steps[i], steps[i] / 33)
                    << uptime + 33 * frame;
            std::copy(now, now + 5, last);
            if (frame == 0) scenetest::ResetTransition(), scene.SelectConfig(0, false), scene.SelectConfig(7, true);
            if (frame == 30) UpdateAt(double(uptime + 1000)), halfway = scene.FrameConfig().segmentAngle;
        }
        EXPECT_NEAR(halfway, 25.5, 0.01) << uptime;
        EXPECT_NEAR(scene.measuredRate, 30 / 1.023, 0.01) << uptime;
        scene.spriteField = nullptr;
    }
}

TEST(ElapsedMilliseconds, MatchesTruncatedProductDivision) {
    const int64_t cases[][2] = {{1, 3}, {2, 3}, {12345, 7}, {-1, 3}, {-12345, 7}, {999, 1000}, {10000001, 10000000}};
    for (const auto& c : cases) EXPECT_EQ(ElapsedMilliseconds(c[0], c[1]), c[0] * 1000 / c[1]) << c[0] << "/" << c[1];
    EXPECT_EQ(ElapsedMilliseconds(5, 0), 0);
}

TEST_F(FrameClockTest, SecondStartChangesNothing) {
    RunWindow(0, 1200, 20);
    UpdateAt(1500);
    const Scene before = scene;
    standin::SetManualCounter(origin + 77 * kTicksPerSecond, 1000);
    scene.StartClock();
    Scene other;
    other.StartClock();  // a second Scene in the same process neither
    EXPECT_EQ(counterOrigin, origin);
    EXPECT_EQ(counterFrequency, kTicksPerSecond);
    EXPECT_EQ(scene.sceneTime, before.sceneTime);
    EXPECT_EQ(scene.measuredRate, before.measuredRate);
    EXPECT_EQ(scene.windowFrames, before.windowFrames);
    EXPECT_EQ(scene.lastMeasureTime, before.lastMeasureTime);
    UpdateAt(1600);
    EXPECT_EQ(scene.sceneTime, Seconds(1600));
}

TEST(FrameClockWithoutCounter, FallsBackToTheTickCountAcrossItsWrap) {
    scenetest::ResetClock();
    standin::UseManualClock(true);
    standin::SetManualCounter(123, 0);  // no high-resolution counter
    standin::SetManualTickCount(0xffffff00u);
    Scene scene;
    scene.targetRate = 30;
    scene.frameDelay = 41;
    scene.StartClock();
    standin::SetManualTickCount(0xffffff00u + 700u);  // wraps past 2^32
    scene.UpdateClock();
    EXPECT_EQ(scene.sceneTime, Seconds(700));
    standin::SetManualTickCount(0xffffff00u + 1250u);
    scene.UpdateClock();
    EXPECT_EQ(scene.sceneTime, Seconds(1250));
    EXPECT_EQ(scene.frameDelay, 47);
    standin::UseManualClock(false);
    scenetest::ResetClock();
}

}  // namespace
