#include "textout/ReportFile.h"

#include "support/CxException.h"
#include "support/FilePath.h"
#include "support/OpenFailure.h"

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

FileReportSink::FileReportSink(OpenedFile file) : m_file(std::move(file)) {
    m_buffer.reserve(kBufferSize);
}

void FileReportSink::write(std::string_view bytes) {
    if (m_buffer.size() + bytes.size() > kBufferSize)
        flush();
    m_buffer.append(bytes);
}

void FileReportSink::flush() {
    // Bytes the file took stay written even when this throws.
    std::string pending;
    pending.swap(m_buffer);
    m_buffer.reserve(kBufferSize);
    m_file.write(pending);
}

void FileReportSink::finish() {
    flush();
    m_file.close();
}

std::unique_ptr<ReportSink> openReportFile(const std::filesystem::path& path,
                                           const RetryPolicy& policy) {
    OpenResult opened = openWithRetry(path, OpenAccess::WriteExclusive, policy, FileKind::Report);
    if (!opened)
        throw CxException(0, "OpenError\n%s%s", displayPath(path).c_str(),
                          openFailureReason(opened.error, FileUse::Write, path).c_str());
    return std::make_unique<FileReportSink>(std::move(opened.file));
}
