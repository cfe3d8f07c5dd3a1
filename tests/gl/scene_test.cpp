// The Scene's frame cycle on a real Mesa context.
#include <gtest/gtest.h>

#include "GlTestContext.h"
#include "tests/helpers/gl_driver_pin.h"
#include "scene/Scene.h"
#include "scene/testing.h"

namespace {

class SceneRenderTest : public ::testing::Test {
protected:
    void SetUp() override { scenetest::ResetClock(); }
    void TearDown() override { scenetest::ResetClock(); }
};

TEST_F(SceneRenderTest, RenderAlwaysAsksForTheSwapAndReadsOnlyBit16) {
    GlTestContext context(64, 48);
    REQUIRE_GL(context);
    Scene scene;
    scene.SetUp(context.width, context.height);
    for (uint32_t flags : {0u, 0x10000u, 0xffffu, 0xfffeffffu, 0xffffffffu, 0x20000u}) {
        EXPECT_TRUE(scene.Render(flags)) << flags;
        EXPECT_EQ(scene.mirrored, (flags & 0x10000u) != 0) << flags;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    scene.TearDown();
}

}  // namespace
