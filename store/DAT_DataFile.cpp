#include "store/DAT_DataFile.h"
#include "store/FileSink.h"
#include "store/MemorySink.h"
#include "support/ArchiveError.h"
#include "support/AtomicFile.h"
#include "support/DateTime.h"
#include "support/DescriptorIo.h"
#include "support/FilePath.h"
#include "support/Sjis.h"
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafile {

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

void replaceFileAtomically(const fs::path& path, const std::function<void(ByteSink&)>& produce,
                           const SinkWrapper& wrap) {
    std::error_code ec;
    ReplacementFile temporary = ReplacementFile::create(path, ec);
    if (!temporary.isOpen())
        throw FileCreateError(ec, sjis::fromUtf8Shown(ec.message()));
    // Opened without its path: a failure throws the reason alone, the callers name the file.
    OpenedFile file(std::move(temporary), fs::path());
    FileSink fileSink(file);
    if (wrap) {
        std::unique_ptr<ByteSink> wrapped = wrap(fileSink);
        produce(*wrapped);
    } else {
        produce(fileSink);
    }
    file.close();
}

namespace {

// Copies source to a new file `copy` (created exclusively, mode 0600). A copy that fails half-way
// (full disk) is removed again: no truncated file under the backup name.
bool copyToNewFile(const fs::path& source, const fs::path& copy) {
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    int out = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        ssize_t n = readSome(in, buffer, sizeof buffer);
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (writeAll(out, std::string_view(buffer, static_cast<std::size_t>(n))) != 0) {
            ok = false;
            break;
        }
    }
    ok = ::fsync(out) == 0 && ok;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (!ok)
        ::unlink(copy.c_str());
    return ok;
}

} // namespace

fs::path copyAside(const fs::path& path) {
    std::string stamp = DateTime::now().format("%Y%m%d-%H%M%S");
    std::string base = path.native() + ".damaged-" + stamp;
    std::error_code ec;
    for (int n = 1; n < 100; ++n) {
        fs::path candidate(n == 1 ? base : base + "-" + std::to_string(n));
        if (fs::exists(fs::symlink_status(candidate, ec)))
            continue;
        return copyToNewFile(path, candidate) ? candidate : fs::path();
    }
    return {};
}

} // namespace datafile
