#pragma once
#include "store/ByteSink.h"
#include <cstdio>
#include <string>

// Writes to an open file; the text of a failure names `displayName` (CP932).
class FileSink : public ByteSink {
public:
    FileSink(std::FILE* file, std::string displayName)
        : m_file(file), m_name(std::move(displayName)) {}
    void write(const char* data, std::size_t size) override;

private:
    std::FILE* m_file;
    std::string m_name;
};
