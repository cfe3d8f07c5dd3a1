// Test double of the platform's password libraries. VerifyScreenSavePwd hands
// the question to the test program's exported FakePasswordAnswer, which counts
// the calls, looks at the saver's state during the check and agrees or
// refuses; without that function it agrees. PwdChangePasswordA hands its
// arguments to FakePasswordChange.
#include <dlfcn.h>

extern "C" int VerifyScreenSavePwd(void* window) {
    using Answer = int (*)(void*);
    auto answer = reinterpret_cast<Answer>(dlsym(RTLD_DEFAULT, "FakePasswordAnswer"));
    return answer != nullptr ? answer(window) : 1;
}

extern "C" unsigned long PwdChangePasswordA(const char* provider, void* window, unsigned long reserved,
                                            void* reserved2) {
    using Change = void (*)(const char*, void*, unsigned long, void*);
    auto change = reinterpret_cast<Change>(dlsym(RTLD_DEFAULT, "FakePasswordChange"));
    if (change != nullptr) change(provider, window, reserved, reserved2);
    return 0;
}
