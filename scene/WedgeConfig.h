// One way of cutting the circle into equal wedges, and the eased change of
// wedge angle between configurations.
#pragma once

#include "common/Vector3.h"

struct WedgeConfig {
    float segmentAngle = 0.0f;  // degrees
    int segmentCount = 0;       // wedges that cover the full circle
    Vector3 apex;               // always (0, 0, 0)
    Vector3 rimA;               // radius 4 on the first edge (270 degrees)
    Vector3 rimB;               // radius 4 on the second edge (270 + segmentAngle degrees)
    float chordLength = 0.0f;   // |rimA - rimB|, read by the sprites
    double clipFirst[4] = {0, 0, 0, 0};   // plane of the first edge
    double clipSecond[4] = {0, 0, 0, 0};  // plane of the second edge
};

// Fills every field of `config` for a wedge of `angle` degrees.
void BuildWedgeConfig(WedgeConfig* config, float angle);

struct WedgeTransition {
    bool active = false;
    float fromAngle = 0.0f;  // degrees, the angle the running transition started from
    float toAngle = 0.0f;    // degrees, the angle being moved to
    float startTime = 0.0f;  // sceneTime at the (re)start, seconds
    float duration = 0.0f;   // seconds; 2 at every start
};

// One per process: the running transition and the configuration rebuilt for
// its eased angle every frame.
extern WedgeTransition wedgeTransition;
extern WedgeConfig blendedConfig;

// Moves the transition's start `seconds` earlier, with the clock's rebasing.
void RebaseTransition(double seconds);
