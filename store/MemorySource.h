#pragma once
#include "store/ByteSource.h"
#include <string_view>

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}
    std::size_t read(char* data, std::size_t size) override;
    uint64_t size() const override { return m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};
