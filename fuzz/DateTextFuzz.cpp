// Arbitrary bytes through the date-text parser: a result is always a valid date, and one with
// a four-digit year reads back from its own text.
#include "support/DateText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto date = parseDateText(text)) {
        if (!date->isValid()) {
            std::abort();
        }
        const std::string shown = date->text();
        if (shown.size() == 19 && shown[0] != '0') {
            auto again = parseDateText(shown);
            if (!again || !(*again == date->normalised())) {
                std::abort();
            }
        }
    }
    return 0;
}
