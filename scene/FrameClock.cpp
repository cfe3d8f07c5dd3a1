// Scene time from the high-resolution counter, rebased by whole seconds so that
// it stays fine for years, measured once a second, and the governor that tunes
// the main loop's sleep toward the target frame rate.
#include "scene/FrameClock.h"

#include "platform/winapi.h"
#include "scene/Scene.h"

int64_t counterOrigin = 0;
int64_t counterFrequency = 0;
bool clockStarted = false;

namespace {

// From 2^13 s on a float no longer keeps every millisecond apart, so whole
// 4096-second steps are taken off sceneTime there, keeping it within [2^12, 2^13).
constexpr double kRebaseAtSeconds = 8192.0;
constexpr int64_t kRebaseStepSeconds = 4096;

// Without a high-resolution counter (frequency 0) the clock runs on the
// millisecond tick count, widened to 64 bits so that its 49-day wrap is harmless.
bool onTickCount = false;
DWORD lastTick = 0;
int64_t tickTotal = 0;

int64_t ReadCounter() {
    if (onTickCount) {
        DWORD now = GetTickCount();
        tickTotal += int64_t(DWORD(now - lastTick));
        lastTick = now;
        return tickTotal;
    }
    LARGE_INTEGER reading;
    reading.QuadPart = 0;
    QueryPerformanceCounter(&reading);
    return reading.QuadPart;
}

int64_t ReadFrequency() {
    LARGE_INTEGER frequency;
    frequency.QuadPart = 0;
    QueryPerformanceFrequency(&frequency);
    if (frequency.QuadPart > 0) return frequency.QuadPart;
    onTickCount = true;
    lastTick = GetTickCount();
    tickTotal = 0;
    return 1000;
}

}  // namespace

// Test seam (scene/testing.h): forget the process-wide clock.
namespace scenetest {
void ResetClock() {
    clockStarted = false;
    counterOrigin = 0;
    counterFrequency = 0;
    onTickCount = false;
    lastTick = 0;
    tickTotal = 0;
}
}  // namespace scenetest

int64_t ElapsedMilliseconds(int64_t elapsed, int64_t frequency) {
    if (frequency <= 0) return 0;
    // Same truncation as (elapsed * 1000) / frequency, without its overflow
    // after about 106 days of a nanosecond counter.
    return (elapsed / frequency) * 1000 + (elapsed % frequency) * 1000 / frequency;
}

int GovernFrameDelay(int frameDelay, int targetRate, int previousRate) {
    if (previousRate > 0 && targetRate > 0) frameDelay += (1000 / targetRate - 1000 / previousRate) / 2;
    if (frameDelay < 1) return 1;
    if (frameDelay > 1000) return 1000;
    return frameDelay;
}

void Scene::StartClock() {
    if (clockStarted) return;
    clockStarted = true;
    counterFrequency = ReadFrequency();
    counterOrigin = ReadCounter();
    windowFrames = 0;
    measuredRate = 50.0f;
    sceneTime = 0.0f;
    lastMeasureTime = 0.0f;
    sceneTimeBase = 0;
}

void Scene::UpdateClock() {
    int64_t milliseconds = ElapsedMilliseconds(ReadCounter() - counterOrigin, counterFrequency);
    double seconds = double(milliseconds) * double(0.001f) - double(sceneTimeBase);
    if (seconds >= kRebaseAtSeconds) {
        const int64_t shift = (int64_t(seconds) / kRebaseStepSeconds - 1) * kRebaseStepSeconds;
        RebaseClock(shift);
        seconds -= double(shift);
    }
    sceneTime = float(seconds);
    double sinceMeasure = seconds - double(lastMeasureTime);
    if (sinceMeasure < 1.0) {
        ++windowFrames;
        return;
    }
    CloseMeasureWindow(sinceMeasure);
}

// The correction uses the rate of the window before this one; the rate just
// measured takes effect at the next closing.
void Scene::CloseMeasureWindow(double seconds) {
    int previousRate = int(measuredRate);
    measuredRate = float(double(windowFrames) / seconds);
    windowFrames = 0;
    lastMeasureTime = sceneTime;
    frameDelay = GovernFrameDelay(frameDelay, targetRate, previousRate);
}

// The stored times (births, the transition's start, the last window's close)
// lie within seconds of sceneTime, below 2^13 s, so taking whole seconds off
// each is exact and their differences stay; after a longer stall they are
// renewed in this same frame anyway.
void Scene::RebaseClock(int64_t seconds) {
    const double shift = double(seconds);
    sceneTimeBase += seconds;
    sceneTime = float(double(sceneTime) - shift);
    lastMeasureTime = float(double(lastMeasureTime) - shift);
    RebaseTransition(shift);
    RebaseSpriteField(shift);
}
