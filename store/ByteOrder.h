#pragma once
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the archive encoding is written with the host byte order");

// Decoding from a block returned by take().
template <class T> inline T loadLE(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <class T> inline char* storeLE(char* p, T v) {
    std::memcpy(p, &v, sizeof v);
    return p + sizeof v;
}
