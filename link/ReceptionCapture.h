#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Keeps the bytes of one serial reception in "<folder>/<yyyymmdd-hhmmss>.txt", so that days a
// dialog lost (cancelled, failed block, left in the transfer list) can be read again from the
// file. The file is made with the first bytes, so a reception that got nothing leaves nothing.
//
// The folder and its files are the user's alone (0700, 0600); a folder that is a link is not
// used. Each capture made is noted in the folder's record ".captures"; once the reception is
// over (finish), the oldest recorded captures beyond the newest kKept are deleted. Only what
// the record names goes: other files, whatever their names or stamps, stay.
class ReceptionCapture {
public:
    static constexpr std::size_t kKept = 50;
    static constexpr const char kRecordName[] = ".captures";

    // folder is CP932; it is created when the first bytes come.
    explicit ReceptionCapture(std::string folder, std::size_t keep = kKept);
    ~ReceptionCapture(); // closes the file; prunes nothing
    ReceptionCapture(const ReceptionCapture&) = delete;
    ReceptionCapture& operator=(const ReceptionCapture&) = delete;

    // Appends the bytes as received. False when they could not be written; after a failure
    // nothing more is written.
    bool append(std::string_view bytes);
    // The reception is over: closes the file, then prunes the folder (never this capture).
    void finish();
    // The capture file (CP932); empty until the first bytes.
    const std::string& path() const { return m_path; }
    bool failed() const { return m_failed; }

    // "yyyymmdd-hhmmss" of a moment in local time.
    static std::string stamp(std::chrono::system_clock::time_point t);
    // The capture files of a folder (names only), oldest first by their stamps. A second
    // capture within the same second is "<stamp>-2.txt", and so on; other files are not
    // captures.
    static std::vector<std::string> captureFiles(const std::string& folder);
    // The captures the record names, in the order they were made.
    static std::vector<std::string> recordedCaptures(const std::string& folder);
    // Deletes the oldest recorded captures beyond the newest `keep`, never `spare` (a name),
    // and forgets them in the record.
    static void prune(const std::string& folder, std::size_t keep, const std::string& spare = {});

private:
    bool create();

    std::string m_folder;
    std::size_t m_keep;
    std::string m_path;
    std::string m_name;
    int m_fd = -1;
    bool m_failed = false;
};
