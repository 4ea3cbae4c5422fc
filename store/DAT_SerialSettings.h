#pragma once
#include <cstdint>

// The six serial-link settings, stored in the data file in this order.
struct SerialSettings {
    int32_t portNumber = 1;
    int32_t baudRate = 38400;
    int32_t byteSize = 8;    // data bits
    int32_t stopBits = 0;    // 0 = 1 bit, 1 = 1.5 bits, 2 = 2 bits
    int32_t parity = 0;      // 0 none, 1 odd, 2 even, 3 mark
    int32_t flowControl = 1; // 0 none, 1 hardware, 2 Xon/Xoff

    bool operator==(const SerialSettings&) const = default;
};
