#include "link/PortProbe.h"
#include "PtyPair.h"
#include "common/TempFolder.h"
#include "link/SerialPort.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(PortProbe, ListsTheDevicesPresentAndSkipsHeldOnes) {
    PtyPair usb, acm, held;
    TempFolder root;
    const fs::path dev = root.path() / "dev";
    fs::create_directories(dev / "serial" / "by-id");
    fs::create_symlink(usb.slavePath(), dev / "ttyUSB0");
    fs::create_symlink(held.slavePath(), dev / "ttyUSB1");
    fs::create_symlink(acm.slavePath(), dev / "ttyACM0");
    TempFolder::write((dev / "ttyUSB2").string(), ""); // a file, no terminal
    fs::create_symlink("../../ttyUSB0",
                       dev / "serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");

    SerialPort other;
    other.setDeviceLookup([&](int) { return held.slavePath(); });
    other.Configure(1, 38400, 8, 0, 0, 1);
    ASSERT_TRUE(other.Open());

    std::vector<fs::path> paths;
    for (const SerialDeviceEntry& e : probeSerialDevices({dev, root.path() / "sys"}))
        paths.push_back(e.path);
    EXPECT_EQ(paths,
              (std::vector<fs::path>{dev / "serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0",
                                     dev / "ttyUSB0", dev / "ttyACM0"}));
    // The probe leaves the devices free.
    SerialPort again;
    again.setDeviceLookup([&](int) { return usb.slavePath(); });
    again.Configure(1, 38400, 8, 0, 0, 1);
    EXPECT_TRUE(again.Open());
}

TEST(PortProbe, NoDevicesGiveAnEmptyList) {
    TempFolder root;
    fs::create_directories(root.path() / "dev");
    EXPECT_TRUE(probeSerialDevices({root.path() / "dev", root.path() / "sys"}).empty());
}

} // namespace
