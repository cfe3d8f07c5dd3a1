#include <gtest/gtest.h>

#include <vector>

#include "platform/x11/gl/frame_rate.h"

// --fps: frames per second over the last whole second, one decimal, held
// until the next second is up.
TEST(FrameRateTest, ShowsTheRateOfTheLastSecond) {
    // The gaps in seconds between one frame and the next, after the first frame.
    const struct {
        std::vector<double> frames;
        const char* text;
        double first = 1000;  // seconds on the clock at the first frame
    } cases[] = {
        {std::vector<double>(31, 0.03125), "FPS: -"}, {std::vector<double>(32, 0.03125), "FPS: 32.0"},
        {{0.375, 0.375, 0.375}, "FPS: 2.7"},          {{1, 0.25, 0.25, 0.25, 0.25}, "FPS: 4.0"},
        {{1, 0.25, 0.25, 0.25}, "FPS: 1.0"},          {{0.5, 0.5}, "FPS: 2.0", 0},
    };
    for (const auto& c : cases) {
        standin::FrameRateMeter meter;
        double seconds = c.first;
        meter.Frame(seconds);
        for (double gap : c.frames) meter.Frame(seconds += gap);
        EXPECT_EQ(meter.Text(), c.text) << c.frames.size() << " frames, last " << c.frames.back() << " s apart";
    }
}
