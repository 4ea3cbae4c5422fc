#pragma once
#include "link/SerialDeviceList.h"
#include <vector>

// The serial devices present (listSerialDevices) less those another program holds: each is
// opened with 2400 baud 8N1 without flow control and closed again. A device the user may not
// open stays in the list, so that the reception can say why it fails.
std::vector<SerialDeviceEntry> probeSerialDevices(const DeviceRoots& roots = {});
