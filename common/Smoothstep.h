// The ease s(t) = t * t * (3 - 2t) on [0, 1], in double precision.
#pragma once

inline double Smoothstep(double t) {
    return t * t * (3.0 - 2.0 * t);
}
