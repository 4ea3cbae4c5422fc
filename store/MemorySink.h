#pragma once
#include "store/ByteSink.h"
#include <string>

class MemorySink : public ByteSink {
public:
    void write(const char* data, std::size_t size) override { m_bytes.append(data, size); }
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};
