#pragma once
#include <cstddef>

// Room on the heap for a large load, backed by huge pages where the kernel offers them.
//
// A load of a large data file fills hundreds of megabytes of new memory in blocks of about a
// hundred kilobytes (a day's samples). Each first touch of a 4 KiB page is a page fault, and
// those faults cost more than the decoding itself. While a reserve is alive the heap is grown
// by `bytes` at once and that range is advised for transparent huge pages, so the blocks
// allocated next fault in 2 MiB at a time; the heap keeps its top until the reserve ends, then
// gives back what the load did not use (glibc's trim threshold is then its default again). One
// at a time; elsewhere than glibc on Linux it does nothing.
class HeapReserve {
public:
    explicit HeapReserve(std::size_t bytes);
    ~HeapReserve();
    HeapReserve(const HeapReserve&) = delete;
    HeapReserve& operator=(const HeapReserve&) = delete;

    // The bytes advised for huge pages (0 when the heap could not be grown).
    std::size_t advisedBytes() const { return m_advised; }

private:
    std::size_t m_advised = 0;
    bool m_keepsTop = false;
};
