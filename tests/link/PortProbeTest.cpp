#include "link/PortProbe.h"
#include "PtyPair.h"
#include <gtest/gtest.h>

namespace {

std::string missing(int n) {
    return "/nonexistent/ttyProbe" + std::to_string(n);
}

TEST(PortProbe, FindsTheOpenablePortsInOrderAndSkipsHeldOnes) {
    PtyPair three, seventeen, held, beyond;
    PortDeviceLookup lookup = [&](int n) {
        switch (n) {
        case 3:
            return three.slavePath();
        case 17:
            return seventeen.slavePath();
        case 8:
            return held.slavePath();
        case 21:
            return beyond.slavePath(); // outside the probed range
        default:
            return missing(n);
        }
    };
    SerialPort other;
    other.setDeviceLookup(lookup);
    other.Configure(8, 38400, 8, 0, 0, 1);
    ASSERT_TRUE(other.Open());

    std::vector<int> found = probeSerialPorts(lookup);
    EXPECT_EQ(found, (std::vector<int>{3, 17}));
    EXPECT_EQ(portChoices(found), (std::vector<std::string>{"COM3", "COM17"}));
    // The probe leaves the ports free.
    SerialPort again;
    again.setDeviceLookup(lookup);
    again.Configure(3, 38400, 8, 0, 0, 1);
    EXPECT_TRUE(again.Open());
}

TEST(PortProbe, NoPortGivesTheFixedList) {
    std::vector<int> found = probeSerialPorts([](int n) { return missing(n); });
    EXPECT_TRUE(found.empty());
    std::vector<std::string> choices = portChoices(found);
    ASSERT_EQ(choices.size(), 15u);
    EXPECT_EQ(choices.front(), "COM1");
    EXPECT_EQ(choices.back(), "COM15");
}

} // namespace
