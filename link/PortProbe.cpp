#include "link/PortProbe.h"
#include "link/SerialPort.h"
#include "support/FilePath.h"

std::vector<SerialDeviceEntry> probeSerialDevices(const DeviceRoots& roots) {
    std::vector<SerialDeviceEntry> usable;
    for (SerialDeviceEntry& entry : listSerialDevices(roots)) {
        SerialPort port;
        port.setDeviceLookup([path = cp932Path(entry.path)](int) { return path; });
        port.Configure(1, 2400, 8, 0, 0, 0);
        if (port.Open() || port.lackedPermission())
            usable.push_back(std::move(entry));
        port.Close();
    }
    return usable;
}
