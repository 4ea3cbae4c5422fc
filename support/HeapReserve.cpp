#include "support/HeapReserve.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <array>
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t kHugePage = 2u << 20;
// glibc's defaults, restored when the reserve ends.
constexpr int kDefaultTopPad = 128 * 1024;
constexpr int kDefaultTrimThreshold = 128 * 1024;
// Small enough to come from the heap, never from a mapping of its own (glibc's smallest mmap
// threshold is 128 KiB), and large enough that few free blocks of a used heap can hold it.
constexpr std::size_t kProbe = 120 * 1024;
// A heap of a program that has run a while (fonts, caches) has some free blocks that large.
constexpr std::size_t kMaxProbes = 64;

} // namespace

HeapReserve::HeapReserve(std::size_t bytes) {
    if (bytes < kHugePage || bytes > static_cast<std::size_t>(INT32_MAX))
        return;
    auto* before = static_cast<char*>(::sbrk(0));
    // The next growth of the heap takes `bytes` more than it needs; probes are allocated until
    // one makes it grow (the first ones may come from free memory).
    mallopt(M_TOP_PAD, static_cast<int>(bytes));
    std::array<void*, kMaxProbes> probes{};
    char* after = before;
    for (void*& p : probes) {
        p = std::malloc(kProbe);
        after = static_cast<char*>(::sbrk(0));
        if (after != before)
            break;
    }
    mallopt(M_TOP_PAD, kDefaultTopPad);
    if (after > before) {
        // Keep the top: freeing the probes would otherwise give the new room back at once.
        mallopt(M_TRIM_THRESHOLD, INT32_MAX);
        m_keepsTop = true;
    }
    for (void* p : probes)
        std::free(p);
    if (after <= before)
        return; // no growth by a move of the break (another allocator, a mapping, free memory)
    // The probe that grew the heap and the new top's header touched the first pages: those
    // stay small.
    const auto from =
        (reinterpret_cast<std::uintptr_t>(before) + 2 * kProbe + kHugePage - 1) & ~(kHugePage - 1);
    const auto to = reinterpret_cast<std::uintptr_t>(after) & ~(kHugePage - 1);
    if (to > from && ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE) == 0)
        m_advised = to - from;
}

HeapReserve::~HeapReserve() {
    if (m_keepsTop)
        mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
}

#else

HeapReserve::HeapReserve(std::size_t) {}
HeapReserve::~HeapReserve() = default;

#endif
