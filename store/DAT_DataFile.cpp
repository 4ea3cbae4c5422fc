#include "store/DAT_DataFile.h"
#include "support/DateTime.h"
#include "support/FilePath.h"
#include "support/Sjis.h"
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace datafile {

namespace {

std::string reasonOf(const std::error_code& ec) {
    return sjis::fromUtf8(ec.message());
}

// Makes a rename durable: the folder entry itself is flushed (POSIX only; best effort).
void syncFolder(const fs::path& folder) {
#ifndef _WIN32
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)folder;
#endif
}

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
    fs::path target = nativePath(path);
    fs::path temp = target;
    temp += ".tmp";
    std::string tempText = path + ".tmp";
    std::error_code ec;

    FileHandle file = FileHandle::openWrite(temp);
    if (!file)
        throw FileAccessError(sjis::fromUtf8(std::strerror(errno)) + "\n" + tempText);
    try {
        FileSink fileSink(file.get(), tempText);
        if (wrap) {
            std::unique_ptr<ByteSink> wrapped = wrap(fileSink);
            produce(*wrapped);
        } else {
            produce(fileSink);
        }
        if (!file.sync())
            throw FileAccessError(sjis::fromUtf8(std::strerror(errno)) + "\n" + tempText);
        if (!file.close())
            throw FileAccessError(sjis::fromUtf8(std::strerror(errno)) + "\n" + tempText);
        // Keep the permissions of the file being replaced.
        fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old))
            fs::permissions(temp, old.permissions(), fs::perm_options::replace, ec);
        fs::rename(temp, target, ec);
        if (ec)
            throw FileAccessError(reasonOf(ec) + "\n" + path);
    } catch (...) {
        file.close();
        fs::remove(temp, ec);
        throw;
    }
    syncFolder(target.parent_path());
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
