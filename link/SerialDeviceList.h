#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Where the serial devices are looked for: the device folder and the kernel's sysfs. Tests
// point both at a scratch tree.
struct DeviceRoots {
    std::filesystem::path dev = "/dev";
    std::filesystem::path sys = "/sys";
};

// One serial device that is present. A stable name under serial/by-id/ leads to a kernel
// device (target); the product is what its by-id name tells (kernel names behind a by-id link
// carry the same product).
struct SerialDeviceEntry {
    std::filesystem::path path;   // what the INI stores for a port
    std::filesystem::path target; // the kernel device of a by-id link; empty for kernel names
    std::string product;          // e.g. "FTDI FT232R USB UART"; empty when unknown

    bool stable() const { return !target.empty(); }
    bool operator==(const SerialDeviceEntry&) const = default;
};

// The serial devices present, stable names first (by name), then ttyUSB, ttyACM and ttyS by
// number. A by-id link counts when it leads to a present device. A ttyS<n> counts only with a
// UART behind it: sysfs has class/tty/ttyS<n>/device and it is not the "serial8250" platform
// device, to which the kernel attaches the placeholder ports that no hardware answers.
std::vector<SerialDeviceEntry> listSerialDevices(const DeviceRoots& roots = {});

// The product in a by-id name, made by udev of bus, vendor, model, serial number and
// interface: "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" gives "FTDI FT232R USB UART".
// The last part is taken for the serial number when there are three parts or more and it holds
// a digit.
std::string productFromByIdName(std::string_view name);

// How the device shows in a list (CP932): "/dev/ttyUSB0 (FTDI FT232R USB UART)" for a kernel
// name, "FTDI FT232R USB UART (by-id: ttyUSB0)" for a stable one.
std::string serialDeviceChoiceText(const SerialDeviceEntry& entry);

// The device path with its product when one is known (CP932): "/dev/ttyUSB0 (FTDI …)".
std::string describeSerialDevice(const std::filesystem::path& device,
                                 const DeviceRoots& roots = {});
