#pragma once
#include "store/ByteSource.h"
#include "support/OpenedFile.h"
#include <cstdint>

// Reads an archive from an open file, from its start; failures throw the file's FileAccessError.
class FileSource : public ByteSource {
public:
    // Files of at least minMappedSize bytes are read through a mapping of about mapWindow bytes
    // that slides along (tests make both small to cross many window ends).
    explicit FileSource(OpenedFile& file, uint64_t minMappedSize = 4u << 20,
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

    OpenedFile& m_file;
    uint64_t m_size = 0;
    bool m_windows = false;
    std::size_t m_window = 0;
    void* m_map = nullptr;
    std::size_t m_mapLength = 0;
    uint64_t m_mapOffset = 0;
};
