#pragma once
#include "link/SerialDeviceList.h"
#include "link/SerialPort.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The lists of the communication settings and how a setting maps onto them.
enum class SerialField { BaudRate, ByteSize, Parity, StopBits, FlowControl };

struct SerialChoice {
    const char* text; // CP932
    int32_t value;
};

// The entries of one list, in list order.
const std::vector<SerialChoice>& serialChoices(SerialField field);
// The position of the entry whose value equals the setting; 0 (the first) when none does.
int serialChoiceIndex(SerialField field, int32_t value);
// The value of the entry at a position; the first entry's value when there is none.
int32_t serialChoiceValue(SerialField field, int index);

// The port numbers offered: 1 to 15, and the stored one when it is above.
std::vector<int> portChoiceNumbers(int storedPort);
// "COM<n>", followed by the device the number stands for, e.g. "COM3 (/dev/ttyUSB2)", so that
// adapters can be told apart. CP932.
std::string portChoiceText(int portNumber, const PortDeviceLookup& lookup);
// The port and the device it stands for, with the device's product when known (CP932):
// "COM3: /dev/ttyUSB0 (FTDI FT232R USB UART)".
std::string portDescription(int portNumber, const PortDeviceLookup& lookup,
                            const DeviceRoots& roots = {});
// The entry selected for the stored port: its own when it is offered, else the first.
int portChoiceIndex(const std::vector<int>& offered, int storedPort);
// The port number of an entry: the integer after its first three characters ("COM12" gives
// 12); 1 for a text shorter than four characters or without a positive number there.
int portNumberFromChoice(std::string_view text);
