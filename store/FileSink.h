#pragma once
#include "store/ByteSink.h"
#include "support/OpenedFile.h"

// Writes an archive to an open file; a failed write throws the file's FileAccessError.
class FileSink : public ByteSink {
public:
    explicit FileSink(OpenedFile& file) : m_file(file) {}
    void write(const char* data, std::size_t size) override;

private:
    OpenedFile& m_file;
};
