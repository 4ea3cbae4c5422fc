#pragma once
#include <cstddef>

// Where an archive writes to. write() throws FileAccessError when the bytes cannot be stored.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const char* data, std::size_t size) = 0;
};
