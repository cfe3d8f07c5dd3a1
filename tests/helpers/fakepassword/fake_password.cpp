// Test double of the platform's password library. VerifyScreenSavePwd hands the
// question to the test program's exported FakePasswordAnswer, which counts the
// calls, looks at the saver's state during the check and agrees or refuses;
// without that function it agrees.
#include <dlfcn.h>

extern "C" int VerifyScreenSavePwd(void* window) {
    using Answer = int (*)(void*);
    auto answer = reinterpret_cast<Answer>(dlsym(RTLD_DEFAULT, "FakePasswordAnswer"));
    return answer != nullptr ? answer(window) : 1;
}
