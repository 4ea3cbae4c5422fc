#pragma once
#include "store/ByteOrder.h"
#include "store/ByteSource.h"
#include "support/ArchiveError.h"
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Buffered reader of the archive encoding. Every failure (end of data, a count or a length
// that the rest of the data cannot hold) is an ArchiveError; nothing is allocated from a
// count or length before that check.
class ArchiveReader {
public:
    explicit ArchiveReader(ByteSource& source, std::size_t bufferSize = 64 * 1024);

    // Bytes not yet consumed.
    uint64_t bytesLeft() const { return m_left + static_cast<uint64_t>(m_end - m_pos); }
    uint64_t position() const { return m_size - bytesLeft(); }

    // A pointer to the next `size` bytes (size <= the buffer size), consumed.
    const char* take(std::size_t size) {
        if (static_cast<std::size_t>(m_end - m_pos) < size)
            refill(size);
        const char* p = m_pos;
        m_pos += size;
        return p;
    }
    void readBytes(void* data, std::size_t size);
    template <class T> T readValue() {
        T v;
        std::memcpy(&v, take(sizeof v), sizeof v);
        return v;
    }
    uint8_t readU8() { return readValue<uint8_t>(); }
    uint16_t readU16() { return readValue<uint16_t>(); }
    uint32_t readU32() { return readValue<uint32_t>(); }
    int32_t readI32() { return readValue<int32_t>(); }
    double readDouble() { return readValue<double>(); }

    // A count of elements each taking at least `minElementBytes` bytes; a count the rest of
    // the data cannot hold fails here.
    std::size_t readCount(std::size_t minElementBytes);
    // A length-prefixed string; a UTF-16 string (marker 0xFF 0xFFFE) is converted to CP932.
    std::string readString();

    [[noreturn]] static void fail(const char* what);

private:
    void refill(std::size_t need);
    void refillWindow(std::size_t need);
    uint64_t readLength();

    ByteSource& m_source;
    std::vector<char> m_buffer;
    const char* m_pos = nullptr;
    const char* m_end = nullptr;
    uint64_t m_size = 0; // total
    uint64_t m_left = 0; // not yet in the buffer
    bool m_windows = false;
};
