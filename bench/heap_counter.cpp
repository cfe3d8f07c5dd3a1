// Stands in for malloc, calloc, realloc and free in this program and every
// library it loads, passing each call on to glibc's own allocator and, while
// counting, adding up the usable size of each block.
#include "heap_counter.h"

#include <malloc.h>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);
}

namespace {

bool counting = false;
long long held = 0;
long long peak = 0;
long long allocations = 0;

void Gained(void* block) {
    if (!counting || block == nullptr) return;
    held += (long long)malloc_usable_size(block);
    ++allocations;
    if (held > peak) peak = held;
}

void Lost(void* block) {
    if (counting && block != nullptr) held -= (long long)malloc_usable_size(block);
}

}  // namespace

extern "C" void* malloc(size_t size) {
    void* block = __libc_malloc(size);
    Gained(block);
    return block;
}

extern "C" void* calloc(size_t count, size_t size) {
    void* block = __libc_calloc(count, size);
    Gained(block);
    return block;
}

extern "C" void* realloc(void* block, size_t size) {
    Lost(block);
    void* moved = __libc_realloc(block, size);
    Gained(moved != nullptr ? moved : (size != 0 ? block : nullptr));
    return moved;
}

extern "C" void free(void* block) {
    Lost(block);
    __libc_free(block);
}

void heap::StartCounting() {
    held = peak = allocations = 0;
    counting = true;
}

void heap::StopCounting() {
    counting = false;
}

long long heap::PeakBytes() {
    return peak;
}

long long heap::Allocations() {
    return allocations;
}
