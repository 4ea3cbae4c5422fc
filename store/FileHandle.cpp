#include "store/FileHandle.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

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
