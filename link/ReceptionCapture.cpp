#include "link/ReceptionCapture.h"
#include "support/AtomicFile.h"
#include "support/Clock.h"
#include "support/DescriptorIo.h"
#include "support/FilePath.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::size_t kStampLength = 15; // yyyymmdd-hhmmss

// The order of a capture name: its stamp, then its sequence (1 for the plain name); false
// for a name that is not a capture's.
bool captureKey(const std::string& name, std::string& stamp, long& sequence) {
    const std::string ext = ".txt";
    if (name.size() < kStampLength + ext.size() ||
        name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
        return false;
    for (std::size_t i = 0; i < kStampLength; ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (i == 8 ? name[i] != '-' : !digit)
            return false;
    }
    const std::string rest = name.substr(kStampLength, name.size() - ext.size() - kStampLength);
    sequence = 1;
    if (!rest.empty()) {
        if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-')
            return false;
        if (!std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        sequence = std::stol(rest.substr(1));
    }
    stamp = name.substr(0, kStampLength);
    return true;
}

} // namespace

ReceptionCapture::ReceptionCapture(std::filesystem::path folder, std::size_t keep)
    : m_folder(std::move(folder)), m_keep(keep) {}

ReceptionCapture::~ReceptionCapture() {
    if (m_fd >= 0) {
        ::close(m_fd);
        // After the reception, not before it: a full folder never delays its start.
        prune(m_folder, m_keep);
    }
}

void ReceptionCapture::record(const std::string& name) {
    const std::filesystem::path path = pathInFolder(m_folder, kRecordName);
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    writeAll(fd, name + "\n");
    ::close(fd);
}

std::string ReceptionCapture::stamp(std::chrono::system_clock::time_point t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::vector<std::string> ReceptionCapture::captureFiles(const std::filesystem::path& folder) {
    struct Entry {
        std::string stamp;
        long sequence;
        std::string name;
    };
    std::vector<Entry> entries;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (!item.is_regular_file(typeError))
            continue;
        Entry e;
        e.name = item.path().filename().native();
        if (captureKey(e.name, e.stamp, e.sequence))
            entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.sequence < b.sequence;
    });
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (auto& e : entries)
        names.push_back(std::move(e.name));
    return names;
}

std::vector<std::string> ReceptionCapture::recordedCaptures(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    const std::optional<std::string> record = readWholeFile(pathInFolder(folder, kRecordName));
    if (!record)
        return names;
    std::size_t start = 0;
    while (start < record->size()) {
        std::size_t end = record->find('\n', start);
        if (end == std::string::npos)
            end = record->size();
        std::string name = record->substr(start, end - start);
        std::string stamp;
        long sequence = 0;
        // Only capture names: a record edited by hand names no other file.
        if (captureKey(name, stamp, sequence))
            names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

void ReceptionCapture::prune(const std::filesystem::path& folder, std::size_t keep) {
    std::vector<std::string> names = recordedCaptures(folder);
    if (names.size() <= keep)
        return;
    const std::size_t drop = names.size() - keep;
    for (std::size_t i = 0; i < drop; ++i) {
        std::error_code ec;
        std::filesystem::remove(pathInFolder(folder, names[i]), ec);
    }
    std::string rest;
    for (std::size_t i = drop; i < names.size(); ++i)
        rest += names[i] + "\n";
    std::error_code ec;
    writeFileAtomically(pathInFolder(folder, kRecordName), rest, ec);
}

bool ReceptionCapture::create() {
    if (!createFolderPath(m_folder, FolderAccess::UserOnly))
        return false;
    // Never into a folder reached through a link: someone else's folder could stand there.
    std::error_code ec;
    if (std::filesystem::is_symlink(m_folder, ec))
        return false;
    const std::string base = stamp(Clock::current().now());
    for (int sequence = 1; sequence < 1000; ++sequence) {
        std::string name = base;
        if (sequence > 1)
            name += "-" + std::to_string(sequence);
        name += ".txt";
        const std::filesystem::path path = pathInFolder(m_folder, name);
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            m_fd = fd;
            m_path = path;
            record(name);
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool ReceptionCapture::append(std::string_view bytes) {
    if (m_failed)
        return false;
    if (bytes.empty())
        return true;
    if (m_fd < 0 && !create()) {
        m_failed = true;
        return false;
    }
    // Straight to the file, unbuffered: what came in is kept even if the program dies.
    if (writeAll(m_fd, bytes) != 0) {
        m_failed = true;
        return false;
    }
    return true;
}
