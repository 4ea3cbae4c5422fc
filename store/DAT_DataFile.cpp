#include "store/DAT_DataFile.h"
#include "store/MemorySink.h"
#include "support/ArchiveError.h"
#include "support/AtomicFile.h"
#include "support/DateTime.h"
#include "support/FilePath.h"
#include "support/Sjis.h"
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafile {

namespace {

// Writes to the temporary file of an atomic replace; a failed write (full disk) throws.
class DescriptorSink : public ByteSink {
public:
    DescriptorSink(int fd, const std::string& name) : m_fd(fd), m_name(name) {}
    void write(const char* data, std::size_t size) override {
        while (size > 0) {
            ssize_t n = ::write(m_fd, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw FileAccessError(sjis::fromUtf8(std::strerror(n < 0 ? errno : ENOSPC)) + "\n" +
                                      m_name);
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }

private:
    int m_fd;
    const std::string& m_name;
};

} // namespace

void write(ArchiveWriter& out, const SerialSettings& serial, const MeasurementStore& store) {
    archive::writeSignature(out, archive::kDataFileSignature);
    archive::write(out, serial);
    archive::write(out, store);
}

void read(ArchiveReader& in, SerialSettings& serial, MeasurementStore& store) {
    store.clear();
    archive::readSignature(in, archive::kDataFileSignature);
    archive::read(in, serial);
    archive::read(in, store);
}

std::string encode(const SerialSettings& serial, const MeasurementStore& store) {
    MemorySink sink;
    ArchiveWriter out(sink);
    write(out, serial, store);
    out.flush();
    return sink.bytes();
}

void replaceFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& produce,
                           const SinkWrapper& wrap) {
    std::error_code ec;
    bool ok = writeFileAtomically(
        path,
        [&](int fd) {
            DescriptorSink fileSink(fd, path);
            if (wrap) {
                std::unique_ptr<ByteSink> wrapped = wrap(fileSink);
                produce(*wrapped);
            } else {
                produce(fileSink);
            }
        },
        ec);
    if (!ok)
        throw FileAccessError(sjis::fromUtf8(ec.message()) + "\n" + path);
}

std::string copyAside(const std::string& path) {
    std::string stamp = DateTime::now().format("%Y%m%d-%H%M%S");
    std::string base = path + ".damaged-" + stamp;
    std::error_code ec;
    for (int n = 1; n < 100; ++n) {
        std::string candidate = n == 1 ? base : base + "-" + std::to_string(n);
        if (fs::exists(nativePath(candidate), ec))
            continue;
        if (fs::copy_file(nativePath(path), nativePath(candidate), fs::copy_options::none, ec) &&
            !ec)
            return candidate;
        return {};
    }
    return {};
}

} // namespace datafile
