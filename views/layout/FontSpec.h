#pragma once
#include <cstdint>
#include <string>

class DeviceContext;

// A font description in the manner of a LOGFONT: heights are logical units of the device
// context it was made for (negative = character height, positive = cell height). Fonts are
// realised from it only for the duration of one drawing call.
struct FontSpec {
    std::string faceName; // CP932
    int32_t height = 0;
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int32_t escapement = 0; // tenths of a degree; non-zero draws the text rotated

    // A font of `tenthsOfPoint` / 10 points for this device context, weight 700 when bold.
    static FontSpec make(const DeviceContext& dc, const std::string& faceName, int tenthsOfPoint,
                         bool bold = false, bool italic = false, bool underline = false,
                         bool strikeOut = false);

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};
