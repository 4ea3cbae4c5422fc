#include "link/ReportFileReader.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ReportFileReader::~ReportFileReader() {
    close();
}

int ReportFileReader::open(const std::filesystem::path& path) {
    close();
    m_error = 0;
    m_ended = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        int e = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return e;
    }
    m_fd = fd;
    return 0;
}

void ReportFileReader::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    m_pos = 0;
}

bool ReportFileReader::fill() {
    if (m_pos < m_buffer.size())
        return true;
    if (m_ended || m_fd < 0)
        return false;
    m_buffer.resize(65536);
    m_pos = 0;
    for (;;) {
        ssize_t n = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (n > 0) {
            m_buffer.resize(static_cast<std::size_t>(n));
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        m_buffer.clear();
        m_ended = true;
        if (n < 0)
            m_error = errno != 0 ? errno : EIO;
        return false;
    }
}

ReportFileReader::Read ReportFileReader::nextLine(std::string& line, std::size_t maxBytes) {
    line.clear();
    while (line.size() < maxBytes) {
        if (!fill())
            break;
        char c = m_buffer[m_pos];
        if (c == '\x1a') { // Ctrl-Z: the end of a text file
            m_ended = true;
            m_buffer.clear();
            m_pos = 0;
            break;
        }
        ++m_pos;
        if (c == '\r') {
            // CR LF reads as LF; look past the end of the block for the LF.
            if (fill() && m_buffer[m_pos] == '\n') {
                ++m_pos;
                c = '\n';
            }
        }
        line += c;
        if (c == '\n')
            return Read::Line;
    }
    if (m_error != 0)
        return Read::Error;
    return line.empty() ? Read::End : Read::Line;
}
