#include "common/Random.h"

namespace {
// Linear congruential state; the high bits are the better ones.
unsigned int state = 1;

// Results queued by tests through ForceNext.
constexpr int kQueueSize = 256;
int queued[kQueueSize];
int queueHead = 0;
int queueLength = 0;
}  // namespace

void prng::ForceNext(int value) {
    if (queueLength == kQueueSize) return;
    queued[(queueHead + queueLength) % kQueueSize] = value & 0x7fff;
    ++queueLength;
}

void prng::srand(unsigned int seed) {
    state = seed;
}

int prng::rand() {
    if (queueLength > 0) {
        int value = queued[queueHead];
        queueHead = (queueHead + 1) % kQueueSize;
        --queueLength;
        return value;
    }
    state = state * 1103515245u + 12345u;
    return int((state >> 16) & 0x7fffu);
}

float UniformRandom() {
    return float(double(prng::rand()) * double(3.0518509e-05f));
}

int RandomIndex(int count) {
    return int(double(UniformRandom()) * double(count));
}
