#include "common/Random.h"

namespace {
// Linear congruential state; the high bits are the better ones.
unsigned int state = 1;
}  // namespace

void prng::srand(unsigned int seed) {
    state = seed;
}

int prng::rand() {
    state = state * 1103515245u + 12345u;
    return int((state >> 16) & 0x7fffu);
}

float UniformRandom() {
    return float(double(prng::rand()) * double(3.0518509e-05f));
}

int RandomIndex(int count) {
    return int(double(UniformRandom()) * double(count));
}
