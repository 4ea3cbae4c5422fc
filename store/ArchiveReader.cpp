#include "store/ArchiveReader.h"
#include "support/ArchiveError.h"
#include "support/Sjis.h"

#include <algorithm>

ArchiveReader::ArchiveReader(ByteSource& source, std::size_t bufferSize)
    : m_source(source), m_buffer(std::max<std::size_t>(bufferSize, 64)) {
    m_size = source.size();
    m_left = m_size;
    m_pos = m_end = m_buffer.data();
    m_windows = source.hasWindows();
}

void ArchiveReader::refillWindow(std::size_t need) {
    uint64_t offset = position();
    if (need > m_size - offset)
        fail("unexpected end of archive");
    std::size_t available = 0;
    const char* p = m_source.window(offset, need, available);
    if (!p) {
        // The source gave up its windows: continue with copies from `offset`.
        m_windows = false;
        m_left = m_size - offset;
        m_pos = m_end = m_buffer.data();
        refill(need);
        return;
    }
    if (available < need)
        fail("unexpected end of archive");
    m_pos = p;
    m_end = p + available;
    m_left = m_size - offset - available;
}

void ArchiveReader::fail(const char* what) {
    throw ArchiveError(what);
}

void ArchiveReader::refill(std::size_t need) {
    if (m_windows) {
        refillWindow(need);
        return;
    }
    std::size_t have = static_cast<std::size_t>(m_end - m_pos);
    if (need > m_buffer.size())
        fail("archive block larger than the buffer");
    if (static_cast<uint64_t>(need - have) > m_left)
        fail("unexpected end of archive");
    std::memmove(m_buffer.data(), m_pos, have);
    char* end = m_buffer.data() + have;
    std::size_t room = m_buffer.size() - have;
    // Fill the whole buffer when the source has that much.
    std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(room, m_left));
    while (want > 0) {
        std::size_t got = m_source.read(end, want);
        if (got == 0)
            break;
        end += got;
        want -= got;
        m_left -= got;
    }
    m_pos = m_buffer.data();
    m_end = end;
    if (static_cast<std::size_t>(m_end - m_pos) < need) {
        m_left = 0; // the source ended before its announced size
        fail("unexpected end of archive");
    }
}

void ArchiveReader::readBytes(void* data, std::size_t size) {
    if (size > bytesLeft())
        fail("unexpected end of archive");
    char* out = static_cast<char*>(data);
    while (size > 0) {
        std::size_t avail = static_cast<std::size_t>(m_end - m_pos);
        if (avail == 0) {
            refill(std::min(size, m_buffer.size()));
            continue;
        }
        std::size_t n = std::min(avail, size);
        std::memcpy(out, m_pos, n);
        m_pos += n;
        out += n;
        size -= n;
    }
}

std::size_t ArchiveReader::readCount(std::size_t minElementBytes) {
    uint64_t count = readU16();
    if (count == 0xFFFF)
        count = readU32();
    if (minElementBytes == 0)
        minElementBytes = 1;
    if (count > bytesLeft() / minElementBytes)
        fail("element count larger than the archive");
    return static_cast<std::size_t>(count);
}

uint64_t ArchiveReader::readLength() {
    uint8_t b = readU8();
    if (b < 0xFF)
        return b;
    uint16_t w = readU16();
    if (w < 0xFFFF)
        return w;
    uint32_t d = readU32();
    if (d == 0xFFFFFFFFu)
        fail("string length out of range");
    return d;
}

std::string ArchiveReader::readString() {
    uint8_t b = readU8();
    bool wide = false;
    uint64_t length = b;
    if (b == 0xFF) {
        uint16_t w = readU16();
        if (w == 0xFFFE) {
            wide = true;
            length = readLength();
        } else if (w < 0xFFFF) {
            length = w;
        } else {
            length = readU32();
            if (length == 0xFFFFFFFFu)
                fail("string length out of range");
        }
    }
    uint64_t bytes = wide ? length * 2 : length;
    if (bytes > bytesLeft())
        fail("string length larger than the archive");
    if (!wide) {
        std::string text(static_cast<std::size_t>(length), '\0');
        readBytes(text.data(), text.size());
        return text;
    }
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    for (char16_t& u : units)
        u = static_cast<char16_t>(readU16());
    // A name the file cannot give back as CP932 is not made up with '?': the store would
    // write the changed name back at exit.
    std::optional<std::string> text = sjis::fromUtf16(units, sjis::Spelling::JisTwins);
    if (!text)
        fail("UTF-16 string with a character Shift-JIS lacks");
    return std::move(*text);
}
