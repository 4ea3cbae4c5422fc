#pragma once
#include "link/SerialPort.h"
#include <string>
#include <vector>

// Port numbers 1-20 that can be opened with 2400 baud 8N1 without flow control, ascending.
std::vector<int> probeSerialPorts(const PortDeviceLookup& lookup = {});

// The entries of the port list: "COM<n>" for each port found, or "COM1" … "COM15" when none.
std::vector<std::string> portChoices(const std::vector<int>& found);
