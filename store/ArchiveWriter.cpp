#include "store/ArchiveWriter.h"

#include <algorithm>

ArchiveWriter::ArchiveWriter(ByteSink& sink, std::size_t bufferSize)
    : m_sink(sink), m_buffer(std::max<std::size_t>(bufferSize, 16)) {}

void ArchiveWriter::writeSlow(const char* data, std::size_t size) {
    flush();
    if (size >= m_buffer.size()) {
        m_sink.write(data, size);
        m_total += size;
        return;
    }
    std::memcpy(m_buffer.data(), data, size);
    m_used = size;
}

void ArchiveWriter::flush() {
    if (m_used == 0)
        return;
    std::size_t n = m_used;
    m_used = 0; // a failed write drops the buffer; the archive is abandoned anyway
    m_sink.write(m_buffer.data(), n);
    m_total += n;
}

void ArchiveWriter::writeCount(std::size_t count) {
    if (count < 0xFFFF) {
        writeU16(static_cast<uint16_t>(count));
    } else {
        writeU16(0xFFFF);
        writeU32(static_cast<uint32_t>(count));
    }
}

void ArchiveWriter::writeString(std::string_view text) {
    std::size_t n = text.size();
    if (n < 0xFF) {
        writeU8(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        writeU8(0xFF);
        writeU16(static_cast<uint16_t>(n));
    } else {
        writeU8(0xFF);
        writeU16(0xFFFF);
        writeU32(static_cast<uint32_t>(n));
    }
    writeBytes(text.data(), n);
}
