#pragma once
#include <stdexcept>
#include <string>

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
