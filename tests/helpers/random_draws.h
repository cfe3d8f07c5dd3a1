// The generator's results queued where a test needs particular values, and a
// check that the code under test used exactly the queued ones.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "common/Random.h"

constexpr int kOne = 32767;          // u exactly 1
constexpr int kAtLeastHalf = 16384;  // the smallest draw with u >= 0.5

inline void Queue(std::initializer_list<int> draws) {
    for (int draw : draws) prng::ForceNext(draw);
}

// The next draw is a sentinel: exactly the queued draws were used.
inline void ExpectQueueUsedUp() {
    constexpr int kSentinel = 4242;
    prng::ForceNext(kSentinel);
    EXPECT_EQ(prng::rand(), kSentinel) << "a different number of random draws than queued";
}
