// The geometry of one wedge: count, outline, chord and clip planes.
#include <cmath>

#include "scene/WedgeConfig.h"

namespace {

constexpr float kDegreesToRadians = 0.01745328f;  // pi taken as 3.14159
constexpr float kStraightDown = 4.712385f;        // 270 degrees in radians, same pi
constexpr double kRimRadius = 4.0;

// Wedges of `angle` degrees that cover the circle; a remainder of more than
// half a degree takes one wedge more.
int SegmentCount(double angle) {
    if (!(angle > 0.0)) return 0;
    int count = int(360.0 / angle);
    if (360.0 - double(count) * angle > 0.5) ++count;
    return count;
}

void SetRimPoint(Vector3* point, double radians) {
    point->Set(float(kRimRadius * std::cos(radians)), float(kRimRadius * std::sin(radians)), 0.0f);
}

}  // namespace

void BuildWedgeConfig(WedgeConfig* config, float angle) {
    const double a = angle;
    config->segmentAngle = angle;
    config->segmentCount = SegmentCount(a);
    config->apex.Set(0.0f, 0.0f, 0.0f);
    SetRimPoint(&config->rimA, double(kStraightDown));
    SetRimPoint(&config->rimB, (a + 270.0) * double(kDegreesToRadians));
    config->chordLength = float(config->rimA.Minus(config->rimB).Length());

    // Each plane passes the side of its edge that faces into the wedge.
    const double phi = (a + 270.0 - 90.0) * double(kDegreesToRadians);
    const double first[4] = {1.0, 0.0, 0.0, 0.0};
    const double second[4] = {std::cos(phi), std::sin(phi), 0.0, 0.0};
    for (int i = 0; i < 4; ++i) {
        config->clipFirst[i] = first[i];
        config->clipSecond[i] = second[i];
    }
}
