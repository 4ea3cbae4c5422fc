#include "support/HeapReserve.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// Day-sized blocks, as a load allocates them, each written all over.
std::vector<void*> allocateDays(std::size_t total) {
    std::vector<void*> blocks;
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

TEST(HeapReserveTest, BlocksAllocatedDuringTheReserveLieInMemoryAdvisedForHugePages) {
    if (!kGlibcHeap)
        GTEST_SKIP() << "not glibc's heap";
    std::vector<void*> blocks;
    {
        HeapReserve reserve(64 * kMiB);
        EXPECT_GE(reserve.advisedBytes(), 60 * kMiB);
        EXPECT_LE(reserve.advisedBytes(), 64 * kMiB);
        blocks = allocateDays(32 * kMiB);
    }
    // Past the probes' first pages every block is in the advised range ("hg").
    EXPECT_NE(vmFlagsAt(blocks[blocks.size() / 2]).find(" hg"), std::string::npos)
        << vmFlagsAt(blocks[blocks.size() / 2]);
    EXPECT_NE(vmFlagsAt(blocks.back()).find(" hg"), std::string::npos);
    freeAll(blocks);
}

TEST(HeapReserveTest, TheHeapGivesBackTheRoomOnceTheReserveHasEndedAndTheLoadIsFreed) {
    if (!kGlibcHeap)
        GTEST_SKIP() << "not glibc's heap";
    auto* before = static_cast<char*>(::sbrk(0));
    std::vector<void*> blocks;
    {
        HeapReserve reserve(256 * kMiB);
        blocks = allocateDays(16 * kMiB);
        // The unused room stays while the reserve lives.
        EXPECT_GE(static_cast<char*>(::sbrk(0)) - before, static_cast<std::ptrdiff_t>(200 * kMiB));
    }
    freeAll(blocks);
    EXPECT_LT(static_cast<char*>(::sbrk(0)) - before, static_cast<std::ptrdiff_t>(2 * kMiB));
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
