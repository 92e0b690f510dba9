#include "HeapPeak.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace tabora::bench {

namespace {
std::atomic<size_t> inUse{0};
std::atomic<size_t> peak{0};

void* Take(size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    const size_t now = inUse.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
    size_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
    return p;
}

void Give(void* p) {
    if (p == nullptr) return;
    inUse.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
    std::free(p);
}
}  // namespace

size_t HeapInUse() { return inUse.load(std::memory_order_relaxed); }
size_t HeapPeak() { return peak.load(std::memory_order_relaxed); }
void ResetHeapPeak() { peak.store(HeapInUse(), std::memory_order_relaxed); }

}  // namespace tabora::bench

void* operator new(size_t size) { return tabora::bench::Take(size); }
void* operator new[](size_t size) { return tabora::bench::Take(size); }
void operator delete(void* p) noexcept { tabora::bench::Give(p); }
void operator delete[](void* p) noexcept { tabora::bench::Give(p); }
void operator delete(void* p, size_t) noexcept { tabora::bench::Give(p); }
void operator delete[](void* p, size_t) noexcept { tabora::bench::Give(p); }
