// Wedge configurations: counts, outline, chord and clip planes.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/WedgeConfig.h"

namespace {

WedgeConfig Build(float angle) {
    WedgeConfig config;
    BuildWedgeConfig(&config, angle);
    return config;
}

TEST(WedgeConfig, EveryWedgeCountFrom10To24CoversTheCircle) {
    for (int wedges = 10; wedges <= 24; ++wedges) {
        const float angle = float(360.0 / wedges);  // 360/14 and 360/22 are inexact
        const WedgeConfig config = Build(angle);
        EXPECT_EQ(config.segmentCount, wedges) << angle;
        EXPECT_EQ(config.segmentAngle, angle);
    }
}

// A remainder of more than half a degree takes one wedge more; exactly half does not.
TEST(WedgeConfig, HalfDegreeRule) {
    const struct {
        float angle;
        int wedges;
    } rows[] = {
        {35.9375f, 11},    // 10 wedges leave 0.625 degrees
        {35.953125f, 10},  // 10 wedges leave 0.46875
        {44.9375f, 8},     // 8 wedges leave exactly 0.5
        {std::nextafter(44.9375f, 0.0f), 9},
        {32.71875f, 11},  // 11 leave 0.09375
        {25.5f, 15},      // 14 leave 3
        {32.0f, 12},
    };
    for (const auto& row : rows) EXPECT_EQ(Build(row.angle).segmentCount, row.wedges) << row.angle;
}

TEST(WedgeConfig, ChordLengthsOfTheEightConfigurations) {
    const double chords[] = {2.4721, 2.0706, 1.7802, 1.5607, 1.3892, 1.2515, 1.1385, 1.0442};
    for (int i = 0; i < 8; ++i) {
        const int wedges = 10 + 2 * i;
        EXPECT_NEAR(Build(float(360.0 / wedges)).chordLength, chords[i], 0.00005) << wedges;
    }
}

TEST(WedgeConfig, OutlineUsesTheProgramsOwnPi) {
    const WedgeConfig config = Build(36.0f);
    EXPECT_EQ(config.rimA.x, float(-1.5211089703370817e-05));
    EXPECT_EQ(config.rimA.y, -4.0f);
    EXPECT_EQ(config.rimA.z, 0.0f);
    EXPECT_EQ(config.apex.x, 0.0f);
    EXPECT_EQ(config.apex.y, 0.0f);
    // rimB at 306 degrees, radius 4.
    EXPECT_NEAR(config.rimB.x, 4 * std::cos(306 * M_PI / 180), 1e-4);
    EXPECT_NEAR(config.rimB.y, 4 * std::sin(306 * M_PI / 180), 1e-4);
    EXPECT_EQ(config.rimB.z, 0.0f);
}

// The two planes pass exactly the wedge between 270 and 270 + angle degrees.
TEST(WedgeConfig, ClipPlanesPassOnlyTheWedge) {
    for (float angle : {36.0f, 15.0f, float(360.0 / 14), 32.71875f}) {
        SCOPED_TRACE(angle);
        const WedgeConfig config = Build(angle);  // the planes' exact values: tests/trace

        auto passes = [&](double degrees) {
            const double x = 2 * std::cos(degrees * M_PI / 180), y = 2 * std::sin(degrees * M_PI / 180);
            return config.clipFirst[0] * x + config.clipFirst[1] * y >= 0 &&
                   config.clipSecond[0] * x + config.clipSecond[1] * y >= 0;
        };
        EXPECT_TRUE(passes(270.0 + angle / 2));
        EXPECT_TRUE(passes(270.2));
        EXPECT_TRUE(passes(270.0 + angle - 0.2));
        EXPECT_FALSE(passes(269.8));
        EXPECT_FALSE(passes(270.0 + angle + 0.2));
        EXPECT_FALSE(passes(90.0 + angle / 2));
    }
}

}  // namespace
