// Time: the performance counter over CLOCK_MONOTONIC in nanoseconds, the tick
// count as its milliseconds modulo 2^32, and Sleep over nanosleep. Tests may
// switch the counter and tick count to manual values.
#include "platform/x11/posix.h"
#include "platform/x11/testing.h"
#include "platform/x11/win32.h"

namespace {

bool manualClock = false;
int64_t manualCount = 0;
int64_t manualFrequency = 1000000000;
DWORD manualTicks = 0;

}  // namespace

void standin::UseManualClock(bool manual) {
    manualClock = manual;
}

void standin::SetManualCounter(int64_t count, int64_t frequency) {
    manualCount = count;
    manualFrequency = frequency;
}

void standin::SetManualTickCount(DWORD milliseconds) {
    manualTicks = milliseconds;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
    count->QuadPart = manualClock ? manualCount : standin::MonotonicNanoseconds();
    return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    frequency->QuadPart = manualClock ? manualFrequency : 1000000000;
    return frequency->QuadPart != 0;
}

DWORD WINAPI GetTickCount(void) {
    if (manualClock) return manualTicks;
    return DWORD(uint64_t(standin::MonotonicNanoseconds() / 1000000) & 0xffffffffu);
}

void WINAPI Sleep(DWORD milliseconds) {
    standin::SleepMilliseconds(milliseconds);
}
