#pragma once
#include "store/ByteOrder.h"
#include "store/ByteSink.h"
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

// Buffered writer of the archive encoding.
class ArchiveWriter {
public:
    explicit ArchiveWriter(ByteSink& sink, std::size_t bufferSize = 64 * 1024);
    ~ArchiveWriter() = default; // unflushed bytes are dropped: call flush() to finish

    void writeBytes(const void* data, std::size_t size) {
        if (size <= m_buffer.size() - m_used) {
            std::memcpy(m_buffer.data() + m_used, data, size);
            m_used += size;
        } else {
            writeSlow(static_cast<const char*>(data), size);
        }
    }
    // Room for the next `size` bytes (size <= the buffer size), counted as written; the caller
    // fills all of them.
    char* claim(std::size_t size) {
        if (size > m_buffer.size() - m_used)
            flush();
        char* p = m_buffer.data() + m_used;
        m_used += size;
        return p;
    }
    template <class T> void writeValue(T value) { writeBytes(&value, sizeof value); }
    void writeU8(uint8_t v) { writeValue(v); }
    void writeU16(uint16_t v) { writeValue(v); }
    void writeU32(uint32_t v) { writeValue(v); }
    void writeI32(int32_t v) { writeValue(v); }
    void writeDouble(double v) { writeValue(v); }
    // 16-bit count; 0xFFFF and a 32-bit count from 0xFFFF on.
    void writeCount(std::size_t count);
    // Length prefix (1, 3 or 7 bytes) and the bytes.
    void writeString(std::string_view text);

    void flush();
    uint64_t bytesWritten() const { return m_total + m_used; }

private:
    void writeSlow(const char* data, std::size_t size);

    ByteSink& m_sink;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    uint64_t m_total = 0;
};
