// Arbitrary bytes as an INI file and as the window placement text: the reader never fails, a
// value written is read back, and every other byte of the file stays.
#include "support/PrivateProfile.h"
#include "support/WindowPlacement.h"

#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    IniDocument doc(text);
    fuzzCheck(doc.text() == text); // reading keeps every byte
    for (std::string_view section : {"Window", "Param", "Port", "check"}) {
        for (std::string_view key : {"Placement", "MonStartDay", "COM1", "RunningNum"}) {
            if (auto v = doc.value(section, key)) {
                profile::parseProfileInt(*v);
            }
        }
    }
    doc.set("Param", "MonStartDay", "21");
    IniDocument again(doc.text());
    fuzzCheck(again.value("Param", "MonStartDay") == std::optional<std::string>("21"));

    // The same bytes as a placement value: all ten numbers or nothing, and a round trip.
    if (auto placement = parsePlacement(text)) {
        fuzzCheck(placement->length == WindowPlacement::kLength);
        fuzzCheck(parsePlacement(formatPlacement(*placement)) == placement);
    }
    return 0;
}
