// Selecting a wedge configuration, and the 2-second eased change of wedge
// angle that an animated selection starts.
#include <algorithm>

#include "common/Random.h"
#include "common/Smoothstep.h"
#include "scene/Scene.h"

WedgeTransition wedgeTransition;
WedgeConfig blendedConfig;

namespace {

constexpr float kTransitionSeconds = 2.0f;

double Progress(float sceneTime) {
    const WedgeTransition& t = wedgeTransition;
    return (double(sceneTime) - double(t.startTime)) / double(t.duration);
}

// The transition's angle at progress p in [0, 1], degrees.
double EasedAngle(double p) {
    const WedgeTransition& t = wedgeTransition;
    return double(t.fromAngle) + Smoothstep(p) * (double(t.toAngle) - double(t.fromAngle));
}

}  // namespace

// Test seam (scene/testing.h).
namespace scenetest {
void ResetTransition() {
    wedgeTransition = WedgeTransition();
    blendedConfig = WedgeConfig();
}
}  // namespace scenetest

void Scene::SelectConfig(int index, bool animate) {
    const WedgeConfig* previous = currentConfig;
    currentConfig = &configs[((index % 8) + 8) % 8];
    if (!animate) return;

    WedgeTransition& t = wedgeTransition;
    if (t.active) {
        // Restart from the angle on screen now, so the picture does not jump.
        t.fromAngle = float(EasedAngle(std::min(Progress(sceneTime), 1.0)));
    } else {
        t.fromAngle = previous != nullptr ? previous->segmentAngle : currentConfig->segmentAngle;
        t.active = true;
    }
    t.startTime = sceneTime;
    t.duration = kTransitionSeconds;
    t.toAngle = currentConfig->segmentAngle;
}

void RebaseTransition(double seconds) {
    wedgeTransition.startTime = float(double(wedgeTransition.startTime) - seconds);
}

void Scene::SelectRandomConfig(bool animate) {
    SelectConfig(RandomIndex(8), animate);
}

const WedgeConfig& Scene::FrameConfig() {
    WedgeTransition& t = wedgeTransition;
    if (!t.active) return *currentConfig;
    double p = Progress(sceneTime);
    if (p >= 1.0) {
        p = 1.0;
        t.active = false;
    }
    BuildWedgeConfig(&blendedConfig, float(EasedAngle(p)));
    return blendedConfig;
}
