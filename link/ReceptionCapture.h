#pragma once
#include <chrono>
#include <cstddef>
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

    // folder is CP932; it is created when the first bytes come.
    explicit ReceptionCapture(std::string folder, std::size_t keep = kKept);
    ~ReceptionCapture();
    ReceptionCapture(const ReceptionCapture&) = delete;
    ReceptionCapture& operator=(const ReceptionCapture&) = delete;

    // Appends the bytes as received. False when they could not be written; after a failure
    // nothing more is written.
    bool append(std::string_view bytes);
    // The capture file (CP932); empty until the first bytes.
    const std::string& path() const { return m_path; }
    bool failed() const { return m_failed; }

    // "yyyymmdd-hhmmss" of a moment in local time.
    static std::string stamp(std::chrono::system_clock::time_point t);
    // The capture files of a folder (names only), oldest first. A second capture within the
    // same second is "<stamp>-2.txt", and so on; other files are not captures.
    static std::vector<std::string> captureFiles(const std::string& folder);
    // Deletes the oldest captures of the program's record beyond the newest `keep`.
    static void prune(const std::string& folder, std::size_t keep);
    // The record of the captures the program made, oldest first (CP932 names).
    static std::vector<std::string> recordedCaptures(const std::string& folder);
    static constexpr char kRecordName[] = "captures.lst";

private:
    bool create();
    void record(const std::string& name);

    std::string m_folder;
    std::size_t m_keep;
    std::string m_path;
    int m_fd = -1;
    bool m_failed = false;
};
