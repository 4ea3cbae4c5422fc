#include "link/PortProbe.h"
#include "link/SerialChoices.h"
#include <cstdio>

std::vector<int> probeSerialPorts(const PortDeviceLookup& lookup) {
    std::vector<int> found;
    SerialPort port;
    port.setDeviceLookup(lookup);
    for (int n = 1; n <= 20; ++n) {
        port.Configure(n, 2400, 8, 0, 0, 0);
        if (port.Open())
            found.push_back(n);
        port.Close();
    }
    return found;
}

std::vector<std::string> portChoices(const std::vector<int>& found) {
    std::vector<std::string> choices;
    for (int n : portChoiceNumbers(found))
        choices.push_back(portDeviceKey(n));
    return choices;
}
