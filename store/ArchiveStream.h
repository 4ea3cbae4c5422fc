#pragma once
// Buffered little-endian byte streams for the archive encoding of the data and export files.
//
// Byte sinks and sources are the seams: files in normal use, memory in tests, and a sink that
// fails after N bytes to play a full disk.
#include "support/ArchiveError.h"
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "the archive encoding is written with the host byte order");

// Where an archive writes to. write() throws FileAccessError when the bytes cannot be stored.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const char* data, std::size_t size) = 0;
};

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

class MemorySink : public ByteSink {
public:
    void write(const char* data, std::size_t size) override { m_bytes.append(data, size); }
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}
    std::size_t read(char* data, std::size_t size) override;
    uint64_t size() const override { return m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// Passes bytes on until `limit` bytes have gone through, then fails like a full disk
// (the bytes up to the limit are written, the rest of that call is not).
class FailAfterSink : public ByteSink {
public:
    FailAfterSink(ByteSink& inner, uint64_t limit) : m_inner(inner), m_limit(limit) {}
    void write(const char* data, std::size_t size) override;
    uint64_t written() const { return m_written; }

private:
    ByteSink& m_inner;
    uint64_t m_limit;
    uint64_t m_written = 0;
};

// An open file. Unbuffered at the C level: the archive does its own buffering.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(std::FILE* file) : m_file(file) {}
    FileHandle(FileHandle&& other) noexcept : m_file(other.m_file) { other.m_file = nullptr; }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // nullptr-holding handle when the file cannot be opened (errno tells why).
    static FileHandle openRead(const std::filesystem::path& path);
    static FileHandle openWrite(const std::filesystem::path& path); // create or truncate

    explicit operator bool() const { return m_file != nullptr; }
    std::FILE* get() const { return m_file; }
    // Flushes and forces the bytes to the disk; false on failure.
    bool sync();
    // Closes; false when the last writes failed.
    bool close();

private:
    std::FILE* m_file = nullptr;
};

// Writes to an open file; the text of a failure names `displayName` (CP932).
class FileSink : public ByteSink {
public:
    FileSink(std::FILE* file, std::string displayName)
        : m_file(file), m_name(std::move(displayName)) {}
    void write(const char* data, std::size_t size) override;

private:
    std::FILE* m_file;
    std::string m_name;
};

class FileSource : public ByteSource {
public:
    // Files of at least minMappedSize bytes are read through a mapping of about mapWindow bytes
    // that slides along (tests make both small to cross many window ends).
    FileSource(std::FILE* file, std::string displayName, uint64_t minMappedSize = 4u << 20,
               std::size_t mapWindow = 8u << 20);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    std::size_t read(char* data, std::size_t size) override;
    uint64_t size() const override { return m_size; }
    // Large files are shown through a sliding read-only mapping of a few megabytes (no copy
    // through a buffer, and never the whole file resident at once); elsewhere nothing.
    const char* window(uint64_t offset, std::size_t need, std::size_t& available) override;
    bool hasWindows() const override { return m_windows; }

private:
    void unmap();

    std::FILE* m_file;
    std::string m_name;
    uint64_t m_size = 0;
    bool m_windows = false;
    std::size_t m_window = 0;
    void* m_map = nullptr;
    std::size_t m_mapLength = 0;
    uint64_t m_mapOffset = 0;
};

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

// Decoding from a block returned by take().
template <class T> inline T loadLE(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <class T> inline char* storeLE(char* p, T v) {
    std::memcpy(p, &v, sizeof v);
    return p + sizeof v;
}
