#include "tests/bench/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> current{0};
std::atomic<size_t> peak{0};
thread_local bool counted = false;

// Each block starts with a header that remembers its size and whether it was
// counted, so that delete undoes exactly what new did.
struct alignas(std::max_align_t) Header {
    size_t size;
    bool counted;
};

void* Allocate(size_t size) {
    auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
    if (!header) throw std::bad_alloc();
    header->size = size;
    header->counted = counted;
    if (counted) {
        size_t now = current.fetch_add(size) + size;
        size_t high = peak.load();
        while (now > high && !peak.compare_exchange_weak(high, now)) {
        }
    }
    return header + 1;
}

void Free(void* block) {
    if (!block) return;
    Header* header = static_cast<Header*>(block) - 1;
    if (header->counted) current.fetch_sub(header->size);
    std::free(header);
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, size_t) noexcept { Free(block); }
void operator delete[](void* block, size_t) noexcept { Free(block); }

namespace allocation_counter {

void CountThisThread() { counted = true; }
size_t CurrentBytes() { return current.load(); }
size_t PeakBytes() { return peak.load(); }
void ResetPeak() { peak.store(current.load()); }

}  // namespace allocation_counter
