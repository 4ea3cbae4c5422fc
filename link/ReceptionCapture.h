#pragma once
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Keeps the bytes of one serial reception in "<folder>/<yyyymmdd-hhmmss>.txt", so that days a
// dialog lost (cancelled, failed block, left in the transfer list) can be read again from the
// file. The file is made with the first bytes, so a reception that got nothing leaves nothing.
// The folder is the user's alone (0700, never reached through a link) and so is each capture
// (0600). The program keeps a record of the captures it made ("<folder>/captures.lst"); when a
// capture ends, only the newest kKept of those stay. Files it did not make are never removed,
// so no name in the folder (a stamp from a clock set ahead, junk) can push a new capture out.
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
    // Deletes the oldest captures of the program's record beyond the newest `keep`.
    static void prune(const std::filesystem::path& folder, std::size_t keep);
    // The record of the captures the program made, oldest first (names only).
    static std::vector<std::string> recordedCaptures(const std::filesystem::path& folder);
    static constexpr char kRecordName[] = "captures.lst";

private:
    bool create();
    void record(const std::string& name);

    std::filesystem::path m_folder;
    std::size_t m_keep;
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_failed = false;
};
