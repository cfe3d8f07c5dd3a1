// A sprite's quad on a real Mesa context: its colour and its atlas cell.
#include <gtest/gtest.h>

#include <vector>

#include "GlTestContext.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"

namespace {

class SpriteDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL(context);
        scenetest::ResetTransition();
        scene.SetUpWedges();
        field.formation = true;
        glViewport(0, 0, context.width, context.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void TearDown() override { scenetest::ResetTransition(); }

    // A sprite on `cell`, half the viewport wide, centred, unturned.
    Sprite SpriteOn(int cell) {
        field.frame = cell;
        Sprite sprite;
        sprite.Respawn();
        sprite.position.Set(0.0f, 0.0f, 0.0f);
        sprite.scale = 0.5f;
        sprite.angle = 0.0f;
        return sprite;
    }

    GlTestContext context{64, 64};
    Scene scene;
    SpriteField field{&scene, false};
};

// Food cells show unchanged (white); lettering cells take the tint, alpha too.
TEST_F(SpriteDrawTest, Cell28IsWhiteAndCell29Tinted) {
    const struct {
        int cell;
        unsigned char red, green, blue;
    } rows[] = {{28, 255, 255, 255}, {29, 102, 51, 25}, {31, 102, 51, 25}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cell);
        Sprite sprite = SpriteOn(row.cell);
        const float tint[4] = {0.8f, 0.4f, 0.2f, 0.5f};
        for (int c = 0; c < 4; ++c) sprite.tint[c] = tint[c];
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        sprite.Draw();
        glDisable(GL_BLEND);
        GLfloat colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_EQ(colour[3], row.cell < 29 ? 1.0f : 0.5f);
        const std::vector<unsigned char> pixels = context.ReadPixels();
        const unsigned char* centre = &pixels[(32 * 64 + 32) * 4];
        EXPECT_NEAR(centre[0], row.red, 1);
        EXPECT_NEAR(centre[1], row.green, 1);
        EXPECT_NEAR(centre[2], row.blue, 1);
    }
}

// The quad shows its cell upright and unmirrored: the cell's top edge at +y,
// its left edge at -x, wound counter-clockwise.
TEST_F(SpriteDrawTest, QuadMapsItsCellUpright) {
    const struct {
        int cell;
        float left, top;
    } rows[] = {{0, 0.0f, 0.0f}, {7, 0.875f, 0.0f}, {8, 0.0f, 0.25f}, {31, 0.875f, 0.75f}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cell);
        Sprite sprite = SpriteOn(row.cell);
        std::vector<GLfloat> feedback(512);
        glFeedbackBuffer(GLsizei(feedback.size()), GL_3D_COLOR_TEXTURE, feedback.data());
        glRenderMode(GL_FEEDBACK);
        sprite.Draw();
        const GLint used = glRenderMode(GL_RENDER);
        ASSERT_GT(used, 0);

        int vertices = 0;
        for (GLint i = 0; i < used;) {
            ASSERT_EQ(feedback[i], GLfloat(GL_POLYGON_TOKEN));
            const int count = int(feedback[i + 1]);
            const GLfloat* v = &feedback[i + 2];
            const int stride = 11;  // x y z, r g b a, s t r q
            double area = 0;
            for (int k = 0; k < count; ++k) {
                const GLfloat* a = v + k * stride;
                const GLfloat* b = v + ((k + 1) % count) * stride;
                area += double(a[0]) * b[1] - double(b[0]) * a[1];
                // Window x 16..48 and y 16..48 for the quad's -1..1.
                EXPECT_NEAR(a[7], row.left + 0.125 * (a[0] - 16) / 32, 1e-5);
                EXPECT_NEAR(a[8], row.top + 0.25 * (48 - a[1]) / 32, 1e-5);
                ++vertices;
            }
            EXPECT_GT(area, 0) << "not counter-clockwise";
            i += 2 + count * stride;
        }
        EXPECT_GE(vertices, 4);
    }
}

}  // namespace
