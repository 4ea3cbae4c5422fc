#include "store/MemorySource.h"

#include <algorithm>
#include <cstring>

std::size_t MemorySource::read(char* data, std::size_t size) {
    std::size_t n = std::min(size, m_bytes.size() - m_pos);
    std::memcpy(data, m_bytes.data() + m_pos, n);
    m_pos += n;
    return n;
}
