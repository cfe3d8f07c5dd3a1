// Module resources: FindResourceA, SizeofResource, LoadResource and
// LockResource over the byte blocks embedded at build time
// (cmake/EmbedResources.cmake) and any blocks a test adds. Only RT_RCDATA
// resources with string names exist; names compare case-insensitively as on
// Windows. Blocks stay valid for the life of the process (test blocks until
// the test clears them).
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>
#include <string>

#include "platform/x11/process.h"
#include "platform/x11/testing.h"
#include "platform/x11/win32.h"

namespace standin {

// Defined by the generated embedded_resources.cpp.
struct EmbeddedBlock {
    const char* name;
    const unsigned char* bytes;
    unsigned long size;
};
extern const EmbeddedBlock embeddedBlocks[];
extern const std::size_t embeddedBlockCount;

}  // namespace standin

// What an HRSRC points at.
struct HRSRC__ {
    std::string name;
    const BYTE* bytes;
    DWORD size;
};

namespace {

struct TestBlock {
    HRSRC__ resource;
    std::unique_ptr<BYTE[]> copy;  // exactly `size` bytes, so over-reads show
};

std::list<HRSRC__>& EmbeddedResources() {
    static std::list<HRSRC__> resources = [] {
        std::list<HRSRC__> list;
        for (std::size_t i = 0; i < standin::embeddedBlockCount; ++i) {
            const standin::EmbeddedBlock& block = standin::embeddedBlocks[i];
            list.push_back({block.name, block.bytes, DWORD(block.size)});
        }
        return list;
    }();
    return resources;
}

std::list<TestBlock> testBlocks;

[[noreturn]] void Unsupported(const char* call, const char* what) {
    std::fprintf(stderr, "orchardia stand-in: %s: %s is not supported\n", call, what);
    std::abort();
}

void CheckModule(const char* call, HMODULE module) {
    if (module != nullptr && module != standin::ModuleInstance()) Unsupported(call, "a module other than the program's");
}

HRSRC FindIn(std::list<HRSRC__>& resources, LPCSTR name) {
    for (HRSRC__& resource : resources) {
        if (strcasecmp(resource.name.c_str(), name) == 0) return &resource;
    }
    return nullptr;
}

}  // namespace

void standin::AddTestResource(const char* name, const void* bytes, size_t size) {
    TestBlock block;
    block.copy.reset(new BYTE[size > 0 ? size : 1]);
    if (size > 0) std::memcpy(block.copy.get(), bytes, size);
    block.resource = {name, block.copy.get(), DWORD(size)};
    testBlocks.push_front(std::move(block));
}

void standin::ClearTestResources() {
    testBlocks.clear();
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    CheckModule("FindResourceA", module);
    if (type != RT_RCDATA) Unsupported("FindResourceA", "a resource type other than RT_RCDATA");
    if (IS_INTRESOURCE(name)) return nullptr;  // every block has a string name
    for (TestBlock& block : testBlocks) {
        if (strcasecmp(block.resource.name.c_str(), name) == 0) return &block.resource;
    }
    return FindIn(EmbeddedResources(), name);
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    CheckModule("SizeofResource", module);
    return resource != nullptr ? resource->size : 0;
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    CheckModule("LoadResource", module);
    return resource != nullptr ? const_cast<BYTE*>(resource->bytes) : nullptr;
}

LPVOID WINAPI LockResource(HGLOBAL data) {
    return data;
}
