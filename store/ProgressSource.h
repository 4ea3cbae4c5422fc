#pragma once
// A source that passes another through and publishes how far it has been read, for a window
// that shows the progress of a load running on another thread.
#include "store/ByteSource.h"
#include <algorithm>
#include <atomic>
#include <cstdint>

class ProgressSource : public ByteSource {
public:
    ProgressSource(ByteSource& inner, std::atomic<uint64_t>& position)
        : m_inner(inner), m_position(position) {}
    std::size_t read(char* data, std::size_t size) override {
        const std::size_t n = m_inner.read(data, size);
        m_read += n;
        publish(m_read);
        return n;
    }
    uint64_t size() const override { return m_inner.size(); }
    const char* window(uint64_t offset, std::size_t need, std::size_t& available) override {
        const char* bytes = m_inner.window(offset, need, available);
        publish(offset + available);
        return bytes;
    }
    bool hasWindows() const override { return m_inner.hasWindows(); }

private:
    void publish(uint64_t at) {
        if (at > m_position.load(std::memory_order_relaxed))
            m_position.store(std::min(at, size()), std::memory_order_relaxed);
    }

    ByteSource& m_inner;
    std::atomic<uint64_t>& m_position;
    uint64_t m_read = 0;
};
