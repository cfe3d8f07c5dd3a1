// Mesa unloads its driver when the last display closes, and the leak checker
// then cannot tell the driver's own lasting allocations (suppressed by name)
// from the program's. Included by one file of each render-test program, this
// keeps the driver loaded for the whole run.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <cstring>

#include "tests/helpers/glx_window.h"

namespace {

int PinGlDriver(dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

class GlDriverPin : public ::testing::Environment {
public:
    void SetUp() override {
        GlxWindow window(8, 8);
        dl_iterate_phdr(PinGlDriver, nullptr);
    }
};

const ::testing::Environment* const glDriverPin = ::testing::AddGlobalTestEnvironment(new GlDriverPin);

}  // namespace
