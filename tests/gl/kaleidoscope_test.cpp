// The kaleidoscope's picture on a real Mesa context: the gradient and the
// banner beneath it, and the mirror symmetry of a frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

// The stand-in's header first: it defines APIENTRY for itself, which GL's headers then keep.
#include "platform/x11/testing.h"

#include "tests/helpers/gl_test_context.h"
#include "common/Random.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"
#include "tests/helpers/gl_driver_pin.h"

namespace {

constexpr uint32_t kMirrors = 0x10000;

class KaleidoscopeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.Ready()) << "no GLX context: is DISPLAY set to the suite's Xvfb?";
        scenetest::ResetClock();
        scenetest::ResetTransition();
        // Scene time stays 0 for every frame.
        standin::UseManualClock(true);
        standin::SetManualCounter(5000, 1000000000);
        scene.SetUp(context.width, context.height);
    }
    void TearDown() override {
        scene.TearDown();
        standin::UseManualClock(false);
        scenetest::ResetClock();
        scenetest::ResetTransition();
    }

    // Sprites that draw nothing and are not reborn in the next update.
    void ParkSprites() {
        for (int i = 0; i < SpriteField::kSpriteCount; ++i) {
            scene.spriteField->sprites[i].scale = 0.0f;
            scene.spriteField->sprites[i].birthTime = 0.0f;
        }
    }

    // The same sixteen sprites whatever the start time: a fixed seed, every
    // sprite on one large food cell, so that a frame always has plenty drawn.
    void SpawnKnownSprites() {
        SpriteField& field = *scene.spriteField;
        prng::srand(7);
        field.formation = true;
        field.scale = 0.75f;
        field.frame = 2;
        for (int i = 0; i < SpriteField::kSpriteCount; ++i) field.sprites[i].Spawn(float(i) / 15.0f);
    }

    GlTestContext context{320, 240};
    Scene scene;
};

// The gradient's colour at sceneTime t (seconds) at pixel (x, row), 0 to 1. The
// quad lies in the plane z = -10, which the 90-degree camera at z = 5.5 sees
// from y = -15.5 to 15.5; it turns t x 8 degrees, and its colour runs from the
// bottom edge (y = -32 before turning) to the top (y = 32), which is (0, 0.5, 0.1).
void GradientAt(double t, int x, int row, int width, int height, double colour[3]) {
    const double planeX = ((x + 0.5) / width * 2.0 - 1.0) * 15.5 * width / height;
    const double planeY = ((row + 0.5) / height * 2.0 - 1.0) * 15.5;
    const double turn = t * 8.0 * M_PI / 180.0;
    const double f = (-planeX * std::sin(turn) + planeY * std::cos(turn) + 32.0) / 64.0;
    const double a = t * 0.1;
    const double bottom[3] = {(std::sin(a) + 1.0) * 0.25, 0.0, (std::cos(a) + 1.0) * 0.25};
    const double top[3] = {0.0, 0.5, 0.1};
    for (int c = 0; c < 3; ++c) colour[c] = bottom[c] + (top[c] - bottom[c]) * f;
}

bool LooksLikeGradient(const unsigned char* pixel, int row, int height) {
    double colour[3];
    GradientAt(0.0, 0, row, 1, height, colour);
    for (int c = 0; c < 3; ++c) {
        if (std::abs(pixel[c] / 255.0 - colour[c]) > 8.0 / 255) return false;
    }
    return true;
}

// At 0 s and, on a later frame, at 11.25 s (a quarter turn, the bottom colour
// moved on) every pixel shows the gradient, except in the banner's rectangle
// (4 x 0.25 units centred at (5, -5) in the plane z = 0), where faint white
// lettering lies over it: brighter by at most a tenth of the way to white.
TEST_F(KaleidoscopeTest, GradientTurnsAndTheBannerShowsOnlyAtTheLowerRight) {
    const int width = context.width, height = context.height;
    const double aspect = double(width) / height;
    const int bannerLeft = int((3.0 / 5.5 / aspect + 1) / 2 * width) - 1;
    const int bannerRight = int((7.0 / 5.5 / aspect + 1) / 2 * width) + 1;
    const int bannerBottom = int((-5.125 / 5.5 + 1) / 2 * height) - 1;
    const int bannerTop = int((-4.875 / 5.5 + 1) / 2 * height) + 1;
    for (int milliseconds : {0, 11250}) {
        SCOPED_TRACE(milliseconds);
        standin::SetManualCounter(5000 + int64_t(milliseconds) * 1000000, 1000000000);
        ParkSprites();
        scene.Render(kMirrors);
        const std::vector<unsigned char> pixels = context.ReadPixels();
        int wrong = 0, lettering = 0;
        for (int row = 0; row < height; ++row) {
            for (int x = 0; x < width; ++x) {
                double expected[3];
                GradientAt(milliseconds / 1000.0, x, row, width, height, expected);
                const unsigned char* pixel = &pixels[(size_t(row) * width + x) * 4];
                const bool inBanner = x >= bannerLeft && x <= bannerRight && row >= bannerBottom && row <= bannerTop;
                double brighter = 0.0;
                bool off = false;
                for (int c = 0; c < 3; ++c) {
                    const double difference = pixel[c] / 255.0 - expected[c];
                    const double allowed = (inBanner ? 0.1 * (1.0 - expected[c]) : 0.0) + 3.0 / 255;
                    off = off || difference > allowed || difference < -3.0 / 255;
                    brighter = std::max(brighter, difference);
                }
                if (off && ++wrong <= 5) ADD_FAILURE() << "pixel " << x << ", " << row << " is not the gradient";
                if (inBanner && brighter > 6.0 / 255) ++lettering;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(lettering, 20) << "no lettering in the banner";
    }
}

// With an even wedge count every wedge edge is a mirror line; the edge at 270
// degrees is the vertical line below the centre.
TEST_F(KaleidoscopeTest, MirroredFrameIsSymmetricAboutAWedgeEdge) {
    for (int entry : {0, 1}) {
        SCOPED_TRACE(entry);
        scenetest::ResetTransition();
        SpawnKnownSprites();
        scene.SelectConfig(entry, false);
        scene.Render(kMirrors);
        const std::vector<unsigned char> pixels = context.ReadPixels();
        const int width = context.width;
        int compared = 0, differing = 0, drawn = 0;
        for (int row = 0; row < context.height; ++row) {
            if (row < context.height / 10) continue;  // the banner's rows (lower right)
            for (int x = 0; x < width / 2; ++x) {
                const unsigned char* left = &pixels[(size_t(row) * width + x) * 4];
                const unsigned char* right = &pixels[(size_t(row) * width + (width - 1 - x)) * 4];
                int difference = 0;
                for (int c = 0; c < 3; ++c) difference = std::max(difference, std::abs(left[c] - right[c]));
                ++compared;
                if (difference > 24) ++differing;
                if (!LooksLikeGradient(left, row, context.height)) ++drawn;
            }
        }
        EXPECT_GT(drawn, compared / 20) << "hardly any sprites in the frame";
        EXPECT_LT(differing, compared / 200) << differing << " of " << compared << " pixels differ";
    }
}

}  // namespace
