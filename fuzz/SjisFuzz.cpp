// Arbitrary bytes through the CP932 conversions and the half-width mapping: nothing fails,
// UTF-8 out is valid enough to convert back, and the byte rules agree with each other.
#include "support/Sjis.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = sjis::toUtf8(bytes);
    const std::string back = sjis::fromUtf8(utf8);
    check(sjis::toUtf8(back) == sjis::toUtf8(sjis::fromUtf8(sjis::toUtf8(back))));
    sjis::fromUtf8(bytes); // the same bytes taken as UTF-8

    const std::string half = sjis::toHalfWidth(bytes);
    check(half.size() <= bytes.size());
    check(sjis::toHalfWidth(half) == half); // half-width is a fixed point

    check(sjis::compareNoCase(bytes, bytes) == 0);
    check(sjis::equalsNoCase(bytes, back) == (sjis::compareNoCase(bytes, back) == 0));
    for (std::size_t i = 0; i < bytes.size() && i < 64; ++i) {
        if (sjis::isTrailByteAt(bytes, i)) {
            check(i > 0 && sjis::isLeadByte(static_cast<unsigned char>(bytes[i - 1])));
        }
    }
    return 0;
}
