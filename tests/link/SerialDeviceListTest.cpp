// The serial devices present, from scratch device and sysfs trees.
#include "link/SerialDeviceList.h"
#include "common/TempFolder.h"
#include "link/SerialChoices.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct Link {
    const char* name; // under the scratch root
    const char* target;
};

struct Expected {
    const char* path;   // under dev/
    const char* target; // under dev/, "" for a kernel name
    const char* product;
};

struct TreeCase {
    const char* name;
    std::vector<const char*> files; // under the scratch root
    std::vector<Link> links;
    std::vector<Expected> expected;
};

// The real /sys placeholder and a PC's UART on the ACPI bus.
constexpr const char kById[] = "dev/serial/by-id/";
constexpr const char kFtdi[] = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
constexpr const char kArduino[] = "usb-Arduino__www.arduino.cc__0043_557363239393516150F1-if00";

void makeTree(const TempFolder& root, const TreeCase& c) {
    fs::create_directories(root.path() / "dev");
    fs::create_directories(root.path() / "sys");
    for (const char* f : c.files) {
        fs::create_directories((root.path() / f).parent_path());
        TempFolder::write(root.file(f), "");
    }
    for (const Link& l : c.links) {
        fs::create_directories((root.path() / l.name).parent_path());
        fs::create_symlink(l.target, root.path() / l.name);
    }
}

TEST(SerialDeviceList, DevicesOfAScratchTree) {
    const std::string ftdi = std::string(kById) + kFtdi;
    const std::string arduino = std::string(kById) + kArduino;
    const TreeCase cases[] = {
        {"no devices at all", {"dev/tty", "dev/tty0", "dev/null"}, {}, {}},
        {"USB and ACM adapters by number, other names left out",
         {"dev/ttyUSB1", "dev/ttyUSB10", "dev/ttyUSB0", "dev/ttyACM0", "dev/ttyUSBx", "dev/ttyACM",
          "dev/tty5", "dev/ttyAMA0", "dev/ttyUSB2/x"},
         {},
         {{"ttyUSB0", "", ""}, {"ttyUSB1", "", ""}, {"ttyUSB10", "", ""}, {"ttyACM0", "", ""}}},
        {"stable names first, with products also on their kernel names; stale links and plain "
         "files under by-id left out",
         {"dev/ttyUSB0", "dev/ttyACM0", "dev/ttyUSB1", "dev/serial/by-id/notALink"},
         {{ftdi.c_str(), "../../ttyUSB0"},
          {arduino.c_str(), "/nonexistent/ttyACM0"}, // absolute target missing: left out
          {"dev/serial/by-id/usb-Gone_Adapter_X123-if00-port0", "../../ttyUSB7"},
          {"dev/serial/by-id/usb-1a86_USB2.0-Serial-if00-port0", "../../ttyUSB1"},
          {"dev/serial/by-id/usb-Arduino_Uno_C0FFEE-if00", "../../ttyACM0"}},
         {{"serial/by-id/usb-1a86_USB2.0-Serial-if00-port0", "ttyUSB1", "1a86 USB2.0-Serial"},
          {"serial/by-id/usb-Arduino_Uno_C0FFEE-if00", "ttyACM0", "Arduino Uno"},
          {"serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB0",
           "FTDI FT232R USB UART"},
          {"ttyUSB0", "", "FTDI FT232R USB UART"},
          {"ttyUSB1", "", "1a86 USB2.0-Serial"},
          {"ttyACM0", "", "Arduino Uno"}}},
        {"ttyS only with a UART behind it",
         {"dev/ttyS0", "dev/ttyS1", "dev/ttyS2", "dev/ttyS3", "dev/ttyS4",
          "sys/class/tty/ttyS2/dev"},
         {{"sys/class/tty/ttyS0/device", "../../../devices/pnp0/00:05"},
          {"sys/class/tty/ttyS1/device", "../../../devices/platform/serial8250"},
          {"sys/class/tty/ttyS4/device", "../../../devices/platform/soc/3f215040.serial"},
          {"sys/class/tty/ttyS9/device", "../../../devices/pnp0/00:06"}}, // no dev/ttyS9
         {{"ttyS0", "", ""}, {"ttyS4", "", ""}}},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder root;
        makeTree(root, c);
        const DeviceRoots roots{root.path() / "dev", root.path() / "sys"};
        std::vector<SerialDeviceEntry> expected;
        for (const Expected& e : c.expected)
            expected.push_back(
                {roots.dev / e.path, *e.target ? (roots.dev / e.target) : fs::path(), e.product});
        EXPECT_EQ(listSerialDevices(roots), expected);
    }
}

TEST(SerialDeviceList, MissingFoldersListNothing) {
    EXPECT_TRUE(listSerialDevices({"/nonexistent/dev", "/nonexistent/sys"}).empty());
}

TEST(SerialDeviceList, ProductFromTheByIdName) {
    struct Case {
        const char* name;
        const char* product;
    } cases[] = {
        {kFtdi, "FTDI FT232R USB UART"},
        {"usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0",
         "Prolific Technology Inc. USB-Serial Controller"},
        {"usb-1a86_USB2.0-Serial-if00-port0", "1a86 USB2.0-Serial"},
        {"usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_0001-if00-port0",
         "Silicon Labs CP2102 USB to UART Bridge Controller"},
        {kArduino, "Arduino www.arduino.cc 0043"},
        {"usb-FTDI_Dual_RS232_FT5ABC12-if01-port0", "FTDI Dual RS232"},
        {"usb-HIOKI_E.E._CORPORATION_MR8880_123456789-if00", "HIOKI E.E. CORPORATION MR8880"},
        {"usb-Vendor_Model-ifxx", "Vendor Model-ifxx"}, // not an interface number
        {"noBus", "noBus"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(productFromByIdName(c.name), c.product);
    }
}

TEST(SerialDeviceList, ChoiceTextsAndThePortDescription) {
    TempFolder root;
    const std::string ftdi = std::string(kById) + kFtdi;
    makeTree(root, {"", {"dev/ttyUSB0", "dev/ttyACM0"}, {{ftdi.c_str(), "../../ttyUSB0"}}, {}});
    const DeviceRoots roots{root.path() / "dev", root.path() / "sys"};
    const std::vector<SerialDeviceEntry> found = listSerialDevices(roots);
    ASSERT_EQ(found.size(), 3u);
    const std::string dev = roots.dev.string();
    EXPECT_EQ(serialDeviceChoiceText(found[0]), "FTDI FT232R USB UART (by-id: ttyUSB0)");
    EXPECT_EQ(serialDeviceChoiceText(found[1]), dev + "/ttyUSB0 (FTDI FT232R USB UART)");
    EXPECT_EQ(serialDeviceChoiceText(found[2]), dev + "/ttyACM0");

    PortDeviceLookup lookup = [&](int n) {
        return n == 3   ? dev + "/serial/by-id/" + kFtdi
               : n == 4 ? dev + "/ttyACM0"
               : n == 5 ? dev + "/ttyUSB0"
                        : "";
    };
    EXPECT_EQ(portDescription(3, lookup, roots),
              "COM3: " + dev + "/serial/by-id/" + kFtdi + " (FTDI FT232R USB UART)");
    EXPECT_EQ(portDescription(4, lookup, roots), "COM4: " + dev + "/ttyACM0");
    // A kernel name takes the product of the stable name that leads to it.
    EXPECT_EQ(portDescription(5, lookup, roots),
              "COM5: " + dev + "/ttyUSB0 (FTDI FT232R USB UART)");
    EXPECT_EQ(portDescription(7, lookup, roots), "COM7: /dev/ttyUSB6");
}

} // namespace
