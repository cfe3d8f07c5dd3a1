// Whole frames as OpenGL calls, recorded from a real Mesa context: the Scene's
// set-up, an unmirrored first frame and a mirrored frame during a wedge
// transition, compared call by call with the lists written out below. Every
// random draw is queued, so each argument is known.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

// The stand-in's header first: it defines APIENTRY for itself, which GL's headers then keep.
#include "platform/x11/testing.h"

#include "call_trace.h"
#include "tests/helpers/gl_driver_pin.h"
#include "common/Random.h"
#include "scene/Scene.h"
#include "scene/testing.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteField.h"
#include "tests/helpers/gl_test_context.h"
#include "tests/helpers/random_draws.h"

namespace {

using Calls = std::vector<Call>;

constexpr int kY = 20000;            // the draw for y = u x -2.4f
constexpr float kYPosition = -1.46488845f;  // with -2.4 as a double it would be -1.46488833
constexpr float kPhaseStep = 0.06666667f;

// sceneTime after `milliseconds` on the clock.
float SceneTime(int milliseconds) {
    return float(milliseconds * double(0.001f));
}

float U(int draw) {
    return float(double(draw) * double(3.0518509e-05f));
}

// What a sprite shows, as its rebirth leaves it.
struct Look {
    float birthTime, scale, spin, y, z;
    int cell;
    float tint[4];
};

// Set-up: the discarded draw; configuration 0 (36 degrees); field scale 1 and
// spin 720, two discards, formation on; shared cell 29. Then per sprite the
// tint (1, 0.5, 0, 0.5), y and z = 2.
void QueueSetUpDraws() {
    Queue({777, 0, kOne, kOne, 5, 6, 0, 29696});
    for (int i = 0; i < 16; ++i) Queue({kOne, kAtLeastHalf, 0, kAtLeastHalf, kY, kOne});
}

// Sprite 15's rebirth at 0 s begins a drift cycle: length 4, formation off,
// shared cell 0, a wedge change to configuration 7 (15 degrees), scale heading
// for 0.625 and spin for 0. Its own look: spin u x 720 x 2, scale 1.25, cell 28
// (white), no tint, z = 0.
void QueueFirstFrameDraws() {
    Queue({6144, kOne, 0, 0, 30000, 0, kOne, 0, 0});
    Queue({kAtLeastHalf, kOne, 28700, 0, 0, 0, 0, kY, 0});
}

// Sprite 14's rebirth at 1.342 s is the cycle's first step (no draws); its look:
// spin 2 x 607.5, scale 0.94140625 + 0.25 (smoothstep(1/4) = 0.15625 of the way), cell 31 tinted (1, 0, 1, 0.5), z = 1.
void QueueSecondFrameDraws() {
    Queue({kOne, kOne, 32000, kOne, 0, kOne, kAtLeastHalf, kY, kAtLeastHalf});
}

std::vector<Look> SpawnedLooks() {
    std::vector<Look> looks;
    for (int i = 0; i < 16; ++i) {
        const float phase = float(i * double(kPhaseStep));
        const float tint[4] = {1.0f, U(kAtLeastHalf), 0.0f, U(kAtLeastHalf)};
        looks.push_back({float(-20.0 * double(phase)), 1.25f, 720.0f, kYPosition, 2.0f, 29,
                         {tint[0], tint[1], tint[2], tint[3]}});
    }
    return looks;
}

// The phase at `time`; a life past its end is reborn with `rebirth` from the
// fraction on, in place of `look`.
float PhaseAt(float time, Look& look, const Look* rebirth = nullptr) {
    const double p = (double(time) - double(look.birthTime)) * double(0.05f);
    if (p <= 1.0) return float(p);
    const float phase = float(p - std::trunc(p));
    look = *rebirth;
    look.birthTime = float(double(time) - 20.0 * double(phase));
    return phase;
}

// Each sprite's x: the chord x (3 phase - 1), worked out by hand from the
// chords 2.472135 (36 degrees) and 1.0442097 (15 degrees).
const float kFirstX[16] = {-2.472135f,  -1.977708f, -1.483281f, -0.9888538f, -0.4944269f, 7.3675366e-08f,
                           0.4944275f,  0.9888543f, 1.4832813f, 1.9777082f,  2.4721353f,  2.9665623f,
                           3.46099f,    3.9554167f, 4.4498434f, -2.472135f};
const float kSecondX[16] = {-0.8340103f, -0.6251684f, -0.41632637f, -0.20748436f, 0.0013574801f, 0.2101995f,
                            0.41904154f, 0.6278834f,  0.8367253f,   1.0455673f,   1.2544093f,    1.4632511f,
                            1.6720934f,  1.8809352f,  -1.042852f,   -0.83401024f};

Calls SpriteCalls(const Look& look, float phase, float x) {
    const float angle = float(double(look.spin) * double(phase));
    const float left = (look.cell % 8) * 0.125f, top = (look.cell / 8) * 0.25f;
    const float right = left + 0.125f, bottom = top + 0.25f;
    return {{"glPushMatrix", {}},
            {"glTranslatef", {x, look.y, look.z}},
            {"glRotatef", {-angle, 0, 0, 1}},
            {"glScalef", {look.scale, look.scale, look.scale}},
            look.cell < 29 ? Call{"glColor3f", {1, 1, 1}}
                           : Call{"glColor4f", {look.tint[0], look.tint[1], look.tint[2], look.tint[3]}},
            {"glBegin", {GL_QUADS}},
            {"glTexCoord2f", {left, bottom}}, {"glVertex3f", {-1, -1, 0}},
            {"glTexCoord2f", {right, bottom}}, {"glVertex3f", {1, -1, 0}},
            {"glTexCoord2f", {right, top}}, {"glVertex3f", {1, 1, 0}},
            {"glTexCoord2f", {left, top}}, {"glVertex3f", {-1, 1, 0}},
            {"glEnd", {}},
            {"glPopMatrix", {}}};
}

void Append(Calls& calls, const Calls& more) {
    calls.insert(calls.end(), more.begin(), more.end());
}

struct Textures {
    double atlas, logo;
};

Calls UploadCalls(double name, double format, double width, double height) {
    return {{"glGenTextures", {1, name}},
            {"glBindTexture", {GL_TEXTURE_2D, name}},
            {"glTexParameteri", {GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP}},
            {"glTexParameteri", {GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP}},
            {"glTexParameterf", {GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR}},
            {"glTexParameterf", {GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR}},
            {"glTexImage2D", {GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, 1}}};
}

Calls ProjectionCalls(double width, double height, double aspect) {
    return {{"glViewport", {0, 0, width, height}},
            {"glMatrixMode", {GL_PROJECTION}},
            {"glLoadIdentity", {}},
            {"gluPerspective", {90, aspect, 1, 20}},
            {"glMatrixMode", {GL_MODELVIEW}}};
}

Calls SetUpCalls(int width, int height, Textures textures) {
    Calls calls = ProjectionCalls(width, height, double(width) / double(height));
    calls.push_back({"glClearColor", {0, 0.5f, 0.1f, 1}});
    Append(calls, UploadCalls(textures.atlas, GL_RGBA, 1024, 512));
    Append(calls, UploadCalls(textures.logo, GL_ALPHA, 512, 32));
    Append(calls, {{"glDisable", {GL_LIGHTING}},
                   {"glClearDepth", {1}},
                   {"glEnable", {GL_DEPTH_TEST}},
                   {"glDepthFunc", {GL_LEQUAL}},
                   {"glHint", {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}}});
    return calls;
}

// The gradient turned by t x 8 degrees and its second colour at t, as worked
// out by hand; then the sprites' state, the banner, the atlas.
struct Gradient {
    float turn, red, blue, alpha;
};

Calls BackgroundCalls(const Gradient& gradient, Textures textures) {
    return {{"glDisable", {GL_CULL_FACE}},
            {"glPushMatrix", {}},
            {"glRotatef", {gradient.turn, 0, 0, 1}},
            {"glBegin", {GL_QUADS}},
            {"glColor3fv", {0, 0.5f, 0.1f}},
            {"glVertex3f", {-32, 32, -10}},
            {"glVertex3f", {32, 32, -10}},
            {"glColor4f", {gradient.red, 0, gradient.blue, gradient.alpha}},
            {"glVertex3f", {32, -32, -10}},
            {"glVertex3f", {-32, -32, -10}},
            {"glEnd", {}},
            {"glPopMatrix", {}},
            {"glEnable", {GL_BLEND}},
            {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}},
            {"glEnable", {GL_CULL_FACE}},
            {"glCullFace", {GL_BACK}},
            {"glDisable", {GL_DEPTH_TEST}},
            {"glEnable", {GL_TEXTURE_2D}},
            {"glBindTexture", {GL_TEXTURE_2D, textures.logo}},
            {"glTexEnvf", {GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE}},
            {"glPushMatrix", {}},
            {"glTranslatef", {5, -5, 0}},
            {"glColor4f", {1, 1, 1, 0.1f}},
            {"glBegin", {GL_QUADS}},
            {"glTexCoord2f", {0, 1}}, {"glVertex3f", {-2, -0.125, 0}},
            {"glTexCoord2f", {1, 1}}, {"glVertex3f", {2, -0.125, 0}},
            {"glTexCoord2f", {1, 0}}, {"glVertex3f", {2, 0.125, 0}},
            {"glTexCoord2f", {0, 0}}, {"glVertex3f", {-2, 0.125, 0}},
            {"glEnd", {}},
            {"glPopMatrix", {}},
            {"glBindTexture", {GL_TEXTURE_2D, textures.atlas}},
            {"glTexEnvf", {GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE}}};
}

// The second plane's normal (cos, sin) of the wedge angle + 180 degrees.
Calls ClipPlaneCalls(const double normal[2]) {
    return {{"glClipPlane", {GL_CLIP_PLANE0, 1, 0, 0, 0}},
            {"glClipPlane", {GL_CLIP_PLANE1, normal[0], normal[1], 0, 0}}};
}

struct Frame {
    Gradient gradient;
    bool mirrored;
    float angle;  // the wedge angle drawn
    double normal[2];
    int passes;
};

// A whole frame; `sprites` is what one DrawSprites draws.
Calls FrameCalls(const Frame& frame, const Calls& sprites, Textures textures) {
    Calls calls = {{"glDrawBuffer", {GL_BACK}},
                   {"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
                   {"glLoadIdentity", {}},
                   {"gluLookAt", {0, 0, 5.5, 0, 0, 0, 0, 1, 0}},
                   {"glPushMatrix", {}}};
    Append(calls, BackgroundCalls(frame.gradient, textures));
    if (frame.mirrored) Append(calls, {{"glEnable", {GL_CLIP_PLANE0}}, {"glEnable", {GL_CLIP_PLANE1}}});
    for (int pass = 0; pass < frame.passes; ++pass) {
        Append(calls, {{"glPushMatrix", {}}, {"glRotatef", {float(2 * pass) * frame.angle, 0, 0, 1}},
                       {"glFrontFace", {GL_CCW}}});
        Append(calls, ClipPlaneCalls(frame.normal));
        Append(calls, sprites);
        if (frame.mirrored) {
            Append(calls, {{"glScalef", {-1, 1, 1}}, {"glFrontFace", {GL_CW}}});
            Append(calls, ClipPlaneCalls(frame.normal));
            Append(calls, sprites);
        }
        calls.push_back({"glPopMatrix", {}});
    }
    Append(calls, {{"glDisable", {GL_CLIP_PLANE0}},
                   {"glDisable", {GL_CLIP_PLANE1}},
                   {"glFrontFace", {GL_CCW}},
                   {"glPopMatrix", {}},
                   {"glDisable", {GL_BLEND}},
                   {"glDisable", {GL_TEXTURE_2D}},
                   {"glFlush", {}}});
    return calls;
}

class FrameTraceTest : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL(context);
        scenetest::ResetClock();
        scenetest::ResetTransition();
        standin::UseManualClock(true);
        SetSceneTime(0);
    }
    void TearDown() override {
        calltrace::Stop(true);
        if (scene.spriteField != nullptr) scene.TearDown();
        standin::UseManualClock(false);
        scenetest::ResetClock();
        scenetest::ResetTransition();
    }
    // Counter ticks are milliseconds.
    static void SetSceneTime(int64_t milliseconds) { standin::SetManualCounter(milliseconds, 1000); }

    Calls Record(uint32_t flags) {
        calltrace::Start();
        EXPECT_TRUE(scene.Render(flags)) << "Render asks for the swap";
        return calltrace::Stop(true);
    }

    GlTestContext context{160, 120};
    Scene scene;
};

TEST_F(FrameTraceTest, SetUpAndTwoFramesCallByCall) {
    QueueSetUpDraws();
    calltrace::Start();
    scene.SetUp(context.width, context.height);
    const Calls setUp = calltrace::Stop(true);
    EXPECT_EQ(scene.targetRate, 30);
    EXPECT_EQ(scene.frameDelay, 41);
    ASSERT_GE(setUp.size(), 15u);
    const Textures textures = {setUp[6].args.at(1), setUp[13].args.at(1)};  // as Mesa named them
    EXPECT_NE(textures.atlas, textures.logo);
    EXPECT_EQ(FirstDifference(setUp, SetUpCalls(context.width, context.height, textures)), "");

    std::vector<Look> looks = SpawnedLooks();
    const Look sprite15 = {0, 1.25f, float(double(U(kAtLeastHalf)) * 720 * 2), kYPosition, 0, 28, {0, 0, 0, 0}};
    const Look sprite14 = {0, 0.94140625f + 0.25f, 1215, kYPosition, float(double(U(kAtLeastHalf)) * 2),
                           31, {1, 0, 1, U(kAtLeastHalf)}};

    // Unmirrored at 0 s: one unturned pass at the old angle, clip planes loaded but off.
    QueueFirstFrameDraws();
    const Calls first = Record(0xfffeffffu);  // only bit 16 turns the mirrors on
    Calls sprites;
    for (int i = 0; i < 16; ++i) {
        const float phase = PhaseAt(0.0f, looks[i], &sprite15);
        Append(sprites, SpriteCalls(looks[i], phase, kFirstX[i]));
    }
    const Frame plain = {{0, 0.25f, 0.5f, 0.5f}, false, 36.0f, {-0.8090186669278799, -0.5877829502139681}, 1};
    EXPECT_EQ(FirstDifference(first, FrameCalls(plain, sprites, textures)), "");

    // Mirrored at 1.342 s, two thirds into the change from 36 to 15 degrees:
    // about 20.32 degrees, 18 wedges, 9 passes. The sprites already cross the
    // new configuration's chord. Of the sizes given since the last frame, the
    // last one's projection comes first (a collapsed side counts as 1 pixel);
    // nothing else differs.
    QueueSecondFrameDraws();
    SetSceneTime(1342);
    for (int height : {480, 100, 0}) scene.Resize(200, height);
    const Calls second = Record(0xffffffffu);
    const float time = SceneTime(1342);
    sprites.clear();
    for (int i = 0; i < 16; ++i) {
        const float phase = PhaseAt(time, looks[i], &sprite14);
        Append(sprites, SpriteCalls(looks[i], phase, kSecondX[i]));
    }
    const Frame mirrored = {{10.736f, 0.28344938f, 0.49775216f, 0.49990997f}, true, 20.32351f,
                            {-0.9377474199554534, -0.3473179758764159}, 9};
    Calls expected = ProjectionCalls(200, 1, 200);
    Append(expected, FrameCalls(mirrored, sprites, textures));
    EXPECT_EQ(FirstDifference(second, expected), "");
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    // Formed in float, the new birth time would be 1.33333182.
    EXPECT_EQ(scene.spriteField->sprites[14].birthTime, looks[14].birthTime);

    ExpectQueueUsedUp();

    // One side changed is a new size, the viewport the frame's first call; the
    // same size again is none (viewport 0 x 0 below: no projection).
    const struct {
        int width, height;
        double viewWidth, viewHeight;
    } sizes[] = {{200, 0, 0, 0}, {300, 1, 300, 1}, {300, 2, 300, 2}, {0, 2, 1, 2}};
    for (const auto& size : sizes) {
        scene.Resize(size.width, size.height);
        const Call first = Record(0).at(0), viewport = {"glViewport", {0, 0, size.viewWidth, size.viewHeight}};
        EXPECT_EQ(first == viewport, size.viewWidth != 0) << size.width << "x" << size.height << ": " << first;
    }
}

// Sprites are drawn once per wedge copy: both copies of every second wedge
// with mirrors (an odd count draws one wedge more), one plain copy without.
TEST_F(FrameTraceTest, SpritesAreDrawnOncePerWedgeCopy) {
    scene.SetUp(context.width, context.height);
    const struct {
        float angle;
        int segmentCount;  // -1: as built
        bool mirrored;
        int copies;
    } rows[] = {{36.0f, -1, true, 10},   {15.0f, -1, true, 24},  {35.9375f, -1, true, 12},  // 11 wedges
                {32.0f, -1, true, 12},   {36.0f, -1, false, 1}, {15.0f, -1, false, 1}, {36.0f, 0, true, 0}};
    for (const auto& row : rows) {
        WedgeConfig config;
        BuildWedgeConfig(&config, row.angle);
        if (row.segmentCount >= 0) config.segmentCount = row.segmentCount;
        scene.mirrored = row.mirrored;
        calltrace::Start();
        scene.DrawKaleidoscope(config);
        int quads = 0;
        for (const Call& call : calltrace::Stop(true)) quads += call.name == "glBegin";
        // All quads but the gradient and the banner are sprites.
        EXPECT_EQ(quads - 2, 16 * row.copies) << row.angle << (row.mirrored ? " mirrored" : "");
    }
}

// Where single- and double-precision constants part: at 6.551 s, t x 0.1f and
// t x 0.02f give these colours; t x 0.1 and t x 0.02 would give a red of
// 0.402309626 and an alpha of 0.497857273.
TEST_F(FrameTraceTest, GradientColourAtAnExactTime) {
    scene.SetUp(context.width, context.height);
    scene.sceneTime = SceneTime(6551);
    calltrace::Start();
    scene.spriteField->DrawBackground();
    const Calls calls = calltrace::Stop(true);
    ASSERT_GT(calls.size(), 7u);
    EXPECT_EQ(calls[2], (Call{"glRotatef", {52.4080009f, 0, 0, 1}}));
    EXPECT_EQ(calls[7], (Call{"glColor4f", {0.402309656f, 0, 0.448246747f, 0.497857302f}}));
    scene.spriteField->EndDraw();
}

}  // namespace
