#include "store/FileSink.h"
#include "support/ArchiveError.h"

#include <cerrno>
#include <cstring>

void FileSink::write(const char* data, std::size_t size) {
    if (size == 0)
        return;
    if (std::fwrite(data, 1, size, m_file) != size)
        throw FileAccessError(std::string(std::strerror(errno)) + "\n" + m_name);
}
