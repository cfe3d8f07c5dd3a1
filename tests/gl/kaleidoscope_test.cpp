// The kaleidoscope composition on a real Mesa context: wedge passes, the GL
// state it leaves, the gradient and the mirror symmetry of a frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

// The stand-in's header first: it defines APIENTRY for itself, which GL's headers then keep.
#include "platform/x11/testing.h"

#include "GlTestContext.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"
#include "sprites/testing.h"

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

    int DrawSpritesCallsFor(const WedgeConfig& config, bool mirrored) {
        scene.mirrored = mirrored;
        spritestest::ResetDrawSpritesCalls();
        scene.DrawKaleidoscope(config);
        return spritestest::DrawSpritesCalls();
    }

    GlTestContext context{320, 240};
    Scene scene;
};

WedgeConfig Build(float angle) {
    WedgeConfig config;
    BuildWedgeConfig(&config, angle);
    return config;
}

TEST_F(KaleidoscopeTest, SpritesAreDrawnOncePerWedgeWithMirrorsAndOnceWithout) {
    EXPECT_EQ(DrawSpritesCallsFor(scene.configs[0], true), 10);
    EXPECT_EQ(DrawSpritesCallsFor(scene.configs[7], true), 24);
    EXPECT_EQ(DrawSpritesCallsFor(Build(35.9375f), true), 12);  // 11 wedges: 6 passes
    EXPECT_EQ(DrawSpritesCallsFor(Build(32.0f), true), 12);
    EXPECT_EQ(DrawSpritesCallsFor(scene.configs[0], false), 1);
    EXPECT_EQ(DrawSpritesCallsFor(scene.configs[7], false), 1);
    WedgeConfig none = Build(36.0f);
    none.segmentCount = 0;
    EXPECT_EQ(DrawSpritesCallsFor(none, true), 0);
}

TEST_F(KaleidoscopeTest, RenderDrawsTheFramesConfiguration) {
    const struct {
        int entry;
        uint32_t flags;
        int calls;
    } rows[] = {{0, kMirrors, 10}, {7, kMirrors, 24}, {3, kMirrors, 16}, {7, 0, 1}};
    for (const auto& row : rows) {
        scenetest::ResetTransition();
        scene.SelectConfig(row.entry, false);
        spritestest::ResetDrawSpritesCalls();
        scene.Render(row.flags);  // a transition started in it still shows the old angle
        EXPECT_EQ(spritestest::DrawSpritesCalls(), row.calls) << row.entry;
    }
}

TEST_F(KaleidoscopeTest, LeavesClipPlanesFrontFaceAndMatrixAsFound) {
    for (bool mirrored : {true, false}) {
        SCOPED_TRACE(mirrored);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(1.0f, 2.0f, 3.0f);
        GLint depthBefore = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
        DrawSpritesCallsFor(scene.configs[2], mirrored);
        GLint depthAfter = 0, frontFace = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
        glGetIntegerv(GL_FRONT_FACE, &frontFace);
        EXPECT_EQ(depthAfter, depthBefore);
        EXPECT_EQ(frontFace, GL_CCW);
        EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
        EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE1));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        GLfloat matrix[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
        EXPECT_EQ(matrix[12], 1.0f);
        EXPECT_EQ(matrix[13], 2.0f);
        EXPECT_EQ(matrix[14], 3.0f);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

// The gradient's colour at sceneTime 0 in pixel row `row`, 0 to 1 (see below).
void GradientAt(int row, int height, double colour[3]) {
    const double ndcY = (row + 0.5) / height * 2.0 - 1.0;
    const double f = (ndcY * 15.5 + 32.0) / 64.0;  // 0 at the bottom edge, 1 at the top
    colour[0] = 0.25 * (1 - f);
    colour[1] = 0.5 * f;
    colour[2] = 0.5 + (0.1 - 0.5) * f;
}

bool LooksLikeGradient(const unsigned char* pixel, int row, int height) {
    double colour[3];
    GradientAt(row, height, colour);
    for (int c = 0; c < 3; ++c) {
        if (std::abs(pixel[c] / 255.0 - colour[c]) > 8.0 / 255) return false;
    }
    return true;
}

// At sceneTime 0 the gradient runs from (0.25, 0, 0.5) at its bottom edge
// (y = -32) to (0, 0.5, 0.1) at its top (y = 32), in the plane z = -10, which
// the 90-degree camera at z = 5.5 sees from y = -15.5 to 15.5.
TEST_F(KaleidoscopeTest, GradientAtSceneTimeZero) {
    ParkSprites();
    scene.Render(kMirrors);
    ASSERT_EQ(scene.sceneTime, 0.0f);
    const std::vector<unsigned char> pixels = context.ReadPixels();
    const int x = context.width / 4;  // away from the banner at the lower right
    for (int row : {0, 40, context.height / 2, 200, context.height - 1}) {
        SCOPED_TRACE(row);
        double expected[3];
        GradientAt(row, context.height, expected);
        const unsigned char* pixel = &pixels[(size_t(row) * context.width + x) * 4];
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c] / 255.0, expected[c], 2.5 / 255) << "component " << c;
    }
}

// With an even wedge count every wedge edge is a mirror line; the edge at 270
// degrees is the vertical line below the centre.
TEST_F(KaleidoscopeTest, MirroredFrameIsSymmetricAboutAWedgeEdge) {
    for (int entry : {0, 1}) {
        SCOPED_TRACE(entry);
        scenetest::ResetTransition();
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
