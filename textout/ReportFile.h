#pragma once
#include "support/RetryOpen.h"
#include "textout/ReportSink.h"

#include <filesystem>
#include <memory>
#include <string>

// A report file opened for writing; bytes are buffered and written in large pieces.
// Write failures (full disk, vanished medium) throw FileAccessError with the system's text.
// The report takes its name only at finish(): one that fails half-way leaves the old file.
class FileReportSink : public ReportSink {
public:
    explicit FileReportSink(OpenedFile file);
    FileReportSink(const FileReportSink&) = delete;
    FileReportSink& operator=(const FileReportSink&) = delete;

    void write(std::string_view bytes) override;
    void finish() override;

private:
    void flush();

    OpenedFile m_file;
    std::string m_buffer;
};

// Opens the file for a report (replaced whole, exclusive; see openWithRetry): fails at once when
// the folder is missing, else retries as the policy says (every 200 ms for up to 60000 ms); then
// throws CxException "OpenError\n<path>" followed by the reason (see openFailureReason).
std::unique_ptr<ReportSink> openReportFile(const std::filesystem::path& path,
                                           const RetryPolicy& policy = {});
