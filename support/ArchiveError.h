#pragma once
#include <stdexcept>
#include <string>
#include <system_error>

// A short or malformed archive (data file, export file). Reported under "ｱｰｶｲﾌﾞ異常".
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read or written. Reported under "ﾌｧｲﾙｱｸｾｽ異常".
// The text is CP932 (it may carry a path).
class FileAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that could not be made at all, with the system's reason (see openFailureReason).
class FileCreateError : public FileAccessError {
public:
    FileCreateError(std::error_code code, const std::string& text)
        : FileAccessError(text), m_code(code) {}
    std::error_code code() const { return m_code; }

private:
    std::error_code m_code;
};
