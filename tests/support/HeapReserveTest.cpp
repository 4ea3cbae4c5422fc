#include "support/HeapReserve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kGlibcHeap = false; // the sanitizer's allocator keeps no heap of its own
#elif defined(__linux__) && defined(__GLIBC__)
constexpr bool kGlibcHeap = true;
#else
constexpr bool kGlibcHeap = false;
#endif

constexpr std::size_t kMiB = 1u << 20;

// The VmFlags of the mapping that holds `address`, from /proc/self/smaps.
std::string vmFlagsAt(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream head(line);
        if (head >> std::hex >> from >> dash >> to && dash == '-' &&
            line.find(':') > line.find(' ')) {
            inside = from <= at && at < to;
            continue;
        }
        if (inside && line.rfind("VmFlags:", 0) == 0)
            return line;
    }
    return {};
}

// Day-sized blocks, as a load allocates them, each written all over. The list is reserved
// before: its own growth would leave a block of it among them.
std::vector<void*> allocateDays(std::size_t total) {
    std::vector<void*> blocks;
    blocks.reserve(total / (126 * 1024) + 1);
    for (std::size_t done = 0; done < total; done += 126 * 1024) {
        void* p = std::malloc(126 * 1024);
        std::memset(p, 0x5a, 126 * 1024);
        blocks.push_back(p);
    }
    return blocks;
}

void freeAll(std::vector<void*>& blocks) {
    for (void* p : blocks)
        std::free(p);
    blocks.clear();
}

// Each case runs in a process of its own: what an earlier case left free on the heap would
// serve the reserve's probes, and the heap would not grow.
template <class Body> void inFreshProcess(Body body) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::string failure = body();
            if (!failure.empty())
                std::fprintf(stderr, "%s\n", failure.c_str());
            std::_Exit(failure.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(HeapReserveTest, BlocksAllocatedDuringTheReserveLieInMemoryAdvisedForHugePages) {
    if (!kGlibcHeap)
        GTEST_SKIP() << "not glibc's heap";
    inFreshProcess([]() -> std::string {
        std::vector<void*> blocks;
        std::size_t advised = 0;
        {
            HeapReserve reserve(64 * kMiB);
            advised = reserve.advisedBytes();
            blocks = allocateDays(32 * kMiB);
        }
        if (advised < 60 * kMiB || advised > 64 * kMiB)
            return "advised " + std::to_string(advised);
        // Past the probes' first pages every block is in the advised range ("hg").
        for (const void* p : {blocks[blocks.size() / 2], blocks.back()})
            if (vmFlagsAt(p).find(" hg") == std::string::npos)
                return "not advised: " + vmFlagsAt(p);
        freeAll(blocks);
        return {};
    });
}

TEST(HeapReserveTest, TheHeapGivesBackTheRoomOnceTheReserveHasEndedAndTheLoadIsFreed) {
    if (!kGlibcHeap)
        GTEST_SKIP() << "not glibc's heap";
    inFreshProcess([]() -> std::string {
        auto* before = static_cast<char*>(::sbrk(0));
        std::vector<void*> blocks;
        std::ptrdiff_t during = 0;
        {
            HeapReserve reserve(256 * kMiB);
            blocks = allocateDays(16 * kMiB);
            during = static_cast<char*>(::sbrk(0)) - before;
        }
        freeAll(blocks);
        const std::ptrdiff_t after = static_cast<char*>(::sbrk(0)) - before;
        // The unused room stays while the reserve lives, and goes with the load.
        if (during < static_cast<std::ptrdiff_t>(200 * kMiB) ||
            after > static_cast<std::ptrdiff_t>(2 * kMiB))
            return "grown " + std::to_string(during) + ", then " + std::to_string(after);
        return {};
    });
}

TEST(HeapReserveTest, SizesOutsideItsRangeLeaveTheHeapAlone) {
    for (std::size_t bytes : {std::size_t{0}, std::size_t{1} * kMiB, std::size_t{3} << 30}) {
        auto* before = static_cast<char*>(::sbrk(0));
        HeapReserve reserve(bytes);
        EXPECT_EQ(reserve.advisedBytes(), 0u) << bytes;
        EXPECT_EQ(static_cast<char*>(::sbrk(0)), before) << bytes;
    }
}

} // namespace
