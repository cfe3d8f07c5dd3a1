// Time: the performance counter over CLOCK_MONOTONIC in nanoseconds, the tick
// count as its milliseconds modulo 2^32, and Sleep over nanosleep. Tests may
// switch the counter and tick count to manual values.
#include <cerrno>
#include <ctime>

#include "platform/x11/testing.h"
#include "platform/x11/win32.h"

namespace {

bool manualClock = false;
int64_t manualCount = 0;
int64_t manualFrequency = 1000000000;
DWORD manualTicks = 0;

int64_t MonotonicNanoseconds() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

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
    count->QuadPart = manualClock ? manualCount : MonotonicNanoseconds();
    return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    frequency->QuadPart = manualClock ? manualFrequency : 1000000000;
    return frequency->QuadPart != 0;
}

DWORD WINAPI GetTickCount(void) {
    if (manualClock) return manualTicks;
    return DWORD(uint64_t(MonotonicNanoseconds() / 1000000) & 0xffffffffu);
}

void WINAPI Sleep(DWORD milliseconds) {
    timespec remaining = {time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) {
    }
}
