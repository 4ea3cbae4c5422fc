// Arbitrary bytes through the CP932 conversions and the half-width mapping: nothing fails,
// UTF-8 out is valid enough to convert back, and the byte rules agree with each other.
#include "support/Sjis.h"

#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = sjis::toUtf8(bytes);
    const std::string back = sjis::fromUtf8Shown(utf8);
    fuzzCheck(sjis::toUtf8(back) == sjis::toUtf8(sjis::fromUtf8Shown(sjis::toUtf8(back))));
    // The exact conversion gives back what it was given, or refuses.
    for (std::string_view text : {std::string_view(utf8), bytes}) {
        if (const std::optional<std::string> exact = sjis::fromUtf8(text))
            fuzzCheck(sjis::toUtf8(*exact) == text);
        if (sjis::fromUtf8(text, sjis::Spelling::JisTwins))
            fuzzCheck(sjis::firstUnspellable(text, sjis::Spelling::JisTwins).empty());
        else
            fuzzCheck(!sjis::firstUnspellable(text, sjis::Spelling::JisTwins).empty());
    }

    const std::string half = sjis::toHalfWidth(bytes);
    fuzzCheck(half.size() <= bytes.size());
    fuzzCheck(sjis::toHalfWidth(half) == half); // half-width is a fixed point

    fuzzCheck(sjis::compareNoCase(bytes, bytes) == 0);
    fuzzCheck(sjis::equalsNoCase(bytes, back) == (sjis::compareNoCase(bytes, back) == 0));
    for (std::size_t i = 0; i < bytes.size() && i < 64; ++i) {
        if (sjis::isTrailByteAt(bytes, i)) {
            fuzzCheck(i > 0 && sjis::isLeadByte(static_cast<unsigned char>(bytes[i - 1])));
        }
    }
    return 0;
}
