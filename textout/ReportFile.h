#pragma once
#include "textout/ReportSink.h"

#include <memory>
#include <string>

// A report file opened for writing; bytes are buffered and written in large pieces.
// Write failures (full disk, vanished medium) throw FileAccessError with the system's text.
class FileReportSink : public ReportSink {
public:
    FileReportSink(int fd, std::string path);
    ~FileReportSink() override;
    FileReportSink(const FileReportSink&) = delete;
    FileReportSink& operator=(const FileReportSink&) = delete;

    void write(std::string_view bytes) override;
    void finish() override;

private:
    void flush();

    int m_fd;
    std::string m_path; // CP932, for messages
    std::string m_buffer;
};
