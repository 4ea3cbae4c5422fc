#include "store/ArchiveStream.h"
#include "support/Sjis.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#ifdef _WIN32
#include <io.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

std::string systemText(int err) {
    return std::strerror(err);
}

} // namespace

// ---- memory

std::size_t MemorySource::read(char* data, std::size_t size) {
    std::size_t n = std::min(size, m_bytes.size() - m_pos);
    std::memcpy(data, m_bytes.data() + m_pos, n);
    m_pos += n;
    return n;
}

void FailAfterSink::write(const char* data, std::size_t size) {
    uint64_t room = m_limit > m_written ? m_limit - m_written : 0;
    if (size <= room) {
        m_inner.write(data, size);
        m_written += size;
        return;
    }
    if (room > 0) {
        m_inner.write(data, static_cast<std::size_t>(room));
        m_written += room;
    }
    throw FileAccessError(systemText(ENOSPC));
}

// ---- files

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        close();
        m_file = other.m_file;
        other.m_file = nullptr;
    }
    return *this;
}

FileHandle::~FileHandle() {
    close();
}

FileHandle FileHandle::openRead(const std::filesystem::path& path) {
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (f)
        std::setvbuf(f, nullptr, _IONBF, 0);
    return FileHandle(f);
}

FileHandle FileHandle::openWrite(const std::filesystem::path& path) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (f)
        std::setvbuf(f, nullptr, _IONBF, 0);
    return FileHandle(f);
}

bool FileHandle::sync() {
    if (!m_file || std::fflush(m_file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(m_file)) == 0;
#else
    return ::fsync(fileno(m_file)) == 0;
#endif
}

bool FileHandle::close() {
    if (!m_file)
        return true;
    bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
}

void FileSink::write(const char* data, std::size_t size) {
    if (size == 0)
        return;
    if (std::fwrite(data, 1, size, m_file) != size)
        throw FileAccessError(systemText(errno) + "\n" + m_name);
}

FileSource::FileSource(std::FILE* file, std::string displayName, uint64_t minMappedSize,
                       std::size_t mapWindow)
    : m_file(file), m_name(std::move(displayName)), m_window(mapWindow) {
    if (std::fseek(m_file, 0, SEEK_END) != 0)
        throw FileAccessError(systemText(errno) + "\n" + m_name);
    long end = std::ftell(m_file);
    if (end < 0 || std::fseek(m_file, 0, SEEK_SET) != 0)
        throw FileAccessError(systemText(errno) + "\n" + m_name);
    m_size = static_cast<uint64_t>(end);
#ifndef _WIN32
    m_windows = m_size > 0 && m_size >= minMappedSize;
#endif
}

FileSource::~FileSource() {
    unmap();
}

void FileSource::unmap() {
#ifndef _WIN32
    if (m_map)
        ::munmap(m_map, m_mapLength);
#endif
    m_map = nullptr;
    m_mapLength = 0;
}

const char* FileSource::window(uint64_t offset, std::size_t need, std::size_t& available) {
    available = 0;
#ifndef _WIN32
    if (!m_windows || offset >= m_size)
        return nullptr;
    // Map from the page holding `offset`, so a block that crosses the old window's end is
    // whole in the new one.
    static const uint64_t page = static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
    uint64_t start = offset - offset % page;
    std::size_t length = static_cast<std::size_t>(
        std::min<uint64_t>(m_window + (offset - start) + need, m_size - start));
    unmap();
    void* p = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fileno(m_file),
                     static_cast<off_t>(start));
    if (p == MAP_FAILED) {
        m_windows = false; // carry on through read()
        if (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0)
            throw FileAccessError(systemText(errno) + "\n" + m_name);
        return nullptr;
    }
    ::madvise(p, length, MADV_SEQUENTIAL);
    m_map = p;
    m_mapLength = length;
    m_mapOffset = start;
    available = static_cast<std::size_t>(start + length - offset);
    return static_cast<const char*>(p) + (offset - start);
#else
    (void)offset;
    (void)need;
    return nullptr;
#endif
}

std::size_t FileSource::read(char* data, std::size_t size) {
    std::size_t n = std::fread(data, 1, size, m_file);
    if (n < size && std::ferror(m_file))
        throw FileAccessError(systemText(errno) + "\n" + m_name);
    return n;
}

// ---- writer

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

// ---- reader

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
    return sjis::fromUtf16(units);
}
