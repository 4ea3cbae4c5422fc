#pragma once
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Keeps the bytes of one serial reception in "<folder>/<yyyymmdd-hhmmss>.txt", so that days a
// dialog lost (cancelled, failed block, left in the transfer list) can be read again from the
// file. The file is made with the first bytes, so a reception that got nothing leaves nothing;
// then only the newest kKept captures of the folder stay.
class ReceptionCapture {
public:
    static constexpr std::size_t kKept = 50;

    // The folder is created when the first bytes come.
    explicit ReceptionCapture(std::filesystem::path folder, std::size_t keep = kKept);
    ~ReceptionCapture();
    ReceptionCapture(const ReceptionCapture&) = delete;
    ReceptionCapture& operator=(const ReceptionCapture&) = delete;

    // Appends the bytes as received. False when they could not be written; after a failure
    // nothing more is written.
    bool append(std::string_view bytes);
    // The capture file; empty until the first bytes.
    const std::filesystem::path& path() const { return m_path; }
    bool failed() const { return m_failed; }

    // "yyyymmdd-hhmmss" of a moment in local time.
    static std::string stamp(std::chrono::system_clock::time_point t);
    // The capture files of a folder (names only), oldest first. A second capture within the
    // same second is "<stamp>-2.txt", and so on; other files are not captures.
    static std::vector<std::string> captureFiles(const std::filesystem::path& folder);
    // Deletes the oldest captures of the folder beyond the newest `keep`.
    static void prune(const std::filesystem::path& folder, std::size_t keep);

private:
    bool create();

    std::filesystem::path m_folder;
    std::size_t m_keep;
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_failed = false;
};
