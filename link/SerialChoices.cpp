#include "link/SerialChoices.h"
#include "link/LinkTexts.h"
#include "support/FilePath.h"
#include <cstdlib>

const std::vector<SerialChoice>& serialChoices(SerialField field) {
    static const std::vector<SerialChoice> baud = {
        {"110", 110},       {"300", 300},       {"600", 600},      {"1200", 1200},
        {"2400", 2400},     {"4800", 4800},     {"9600", 9600},    {"14400", 14400},
        {"19200", 19200},   {"38400", 38400},   {"56000", 56000},  {"57600", 57600},
        {"115200", 115200}, {"128000", 128000}, {"256000", 256000}};
    static const std::vector<SerialChoice> byteSize = {
        {"4", 4}, {"5", 5}, {"6", 6}, {"7", 7}, {"8", 8}};
    static const std::vector<SerialChoice> parity = {{txt::link::kNone, 0},
                                                     {txt::link::kParityOdd, 1},
                                                     {txt::link::kParityEven, 2},
                                                     {txt::link::kParityMark, 3}};
    static const std::vector<SerialChoice> stopBits = {{"1", 0}, {"1.5", 1}, {"2", 2}};
    static const std::vector<SerialChoice> flow = {
        {txt::link::kNone, 0}, {txt::link::kFlowHardware, 1}, {"Xon/Xoff", 2}};
    switch (field) {
    case SerialField::BaudRate:
        return baud;
    case SerialField::ByteSize:
        return byteSize;
    case SerialField::Parity:
        return parity;
    case SerialField::StopBits:
        return stopBits;
    case SerialField::FlowControl:
        break;
    }
    return flow;
}

int serialChoiceIndex(SerialField field, int32_t value) {
    const auto& choices = serialChoices(field);
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].value == value)
            return static_cast<int>(i);
    return 0;
}

int32_t serialChoiceValue(SerialField field, int index) {
    const auto& choices = serialChoices(field);
    if (index < 0 || static_cast<std::size_t>(index) >= choices.size())
        return choices.front().value;
    return choices[static_cast<std::size_t>(index)].value;
}

std::vector<int> portChoiceNumbers(int storedPort) {
    std::vector<int> numbers;
    for (int n = 1; n <= 15; ++n)
        numbers.push_back(n);
    if (storedPort > 15)
        numbers.push_back(storedPort);
    return numbers;
}

std::string portChoiceText(int portNumber, const PortDeviceLookup& lookup) {
    return portDeviceKey(portNumber) + " (" +
           cp932Path(nativePath(serialDevicePath(portNumber, lookup))) + ")";
}

std::string portDescription(int portNumber, const PortDeviceLookup& lookup,
                            const DeviceRoots& roots) {
    return portDeviceKey(portNumber) + ": " +
           describeSerialDevice(serialDevicePath(portNumber, lookup), roots);
}

int portChoiceIndex(const std::vector<int>& offered, int storedPort) {
    for (std::size_t i = 0; i < offered.size(); ++i)
        if (offered[i] == storedPort)
            return static_cast<int>(i);
    return 0;
}

int portNumberFromChoice(std::string_view text) {
    if (text.size() < 4)
        return 1;
    const int n = std::atoi(std::string(text.substr(3)).c_str());
    return n > 0 ? n : 1;
}
