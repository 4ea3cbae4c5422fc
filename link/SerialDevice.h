#pragma once
// The one place that picks the serial device implementation of the platform.
#include "link/SerialDevicePosix.h"

using SerialDevice = SerialDevicePosix;
