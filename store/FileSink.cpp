#include "store/FileSink.h"

void FileSink::write(const char* data, std::size_t size) {
    m_file.write(std::string_view(data, size));
}
