#include "store/FileSource.h"

#include <algorithm>
#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

FileSource::FileSource(OpenedFile& file, uint64_t minMappedSize, std::size_t mapWindow)
    : m_file(file), m_window(mapWindow) {
    m_size = m_file.size();
    m_file.seek(0);
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
    void* p = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, m_file.fd(),
                     static_cast<off_t>(start));
    if (p == MAP_FAILED) {
        m_windows = false; // carry on through read()
        m_file.seek(offset);
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
    // A read may return less than asked before the end; the archive wants the whole piece.
    std::size_t done = 0;
    while (done < size) {
        std::size_t n = m_file.read(data + done, size - done);
        if (n == 0)
            break;
        done += n;
    }
    return done;
}
