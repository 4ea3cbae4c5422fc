#pragma once
#include <cstddef>
#include <cstdint>

// Where an archive reads from. read() returns the bytes delivered (0 at the end) and throws
// FileAccessError on a read failure; size() is the total length, known before reading.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t read(char* data, std::size_t size) = 0;
    virtual uint64_t size() const = 0;
    // A source that can show its bytes in place returns a pointer to the byte at `offset` and
    // how many bytes follow it contiguously (at least `need` unless the data ends); valid
    // until the next call. The default shows nothing and the reader copies through read().
    virtual const char* window(uint64_t offset, std::size_t need, std::size_t& available) {
        (void)offset;
        (void)need;
        available = 0;
        return nullptr;
    }
    virtual bool hasWindows() const { return false; }
};
