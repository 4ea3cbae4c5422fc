#include "link/SerialChoices.h"
#include "support/Sjis.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::string> texts(SerialField field) {
    std::vector<std::string> out;
    for (const SerialChoice& c : serialChoices(field))
        out.push_back(sjis::toUtf8(c.text));
    return out;
}

TEST(SerialChoices, TheFiveListsInOrder) {
    EXPECT_EQ(texts(SerialField::BaudRate),
              (std::vector<std::string>{"110", "300", "600", "1200", "2400", "4800", "9600",
                                        "14400", "19200", "38400", "56000", "57600", "115200",
                                        "128000", "256000"}));
    EXPECT_EQ(texts(SerialField::ByteSize), (std::vector<std::string>{"4", "5", "6", "7", "8"}));
    EXPECT_EQ(texts(SerialField::Parity),
              (std::vector<std::string>{"なし", "奇数", "偶数", "マーク"}));
    EXPECT_EQ(texts(SerialField::StopBits), (std::vector<std::string>{"1", "1.5", "2"}));
    EXPECT_EQ(texts(SerialField::FlowControl),
              (std::vector<std::string>{"なし", "ハードウェア", "Xon/Xoff"}));
}

TEST(SerialChoices, SettingToPositionAndBack) {
    struct Case {
        SerialField field;
        int32_t stored;
        int index;
        int32_t saved; // what OK stores for that position
    } cases[] = {
        {SerialField::BaudRate, 38400, 9, 38400},
        {SerialField::BaudRate, 110, 0, 110},
        {SerialField::BaudRate, 256000, 14, 256000},
        {SerialField::BaudRate, 31250, 0, 110}, // not in the table: shown and saved as 110
        {SerialField::ByteSize, 8, 4, 8},
        {SerialField::ByteSize, 9, 0, 4},
        {SerialField::Parity, 2, 2, 2},
        {SerialField::Parity, 4, 0, 0},
        {SerialField::StopBits, 1, 1, 1},
        {SerialField::StopBits, -1, 0, 0},
        {SerialField::FlowControl, 1, 1, 1},
        {SerialField::FlowControl, 2, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(serialChoiceIndex(c.field, c.stored), c.index);
        EXPECT_EQ(serialChoiceValue(c.field, c.index), c.saved);
    }
    EXPECT_EQ(serialChoiceValue(SerialField::Parity, -1), 0);
    EXPECT_EQ(serialChoiceValue(SerialField::BaudRate, 15), 110);
}

TEST(SerialChoices, PortListAndSelection) {
    const std::vector<int> fixed = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    std::vector<int> withSeventeen = fixed;
    withSeventeen.push_back(17);
    struct Case {
        const char* name;
        int stored;
        std::vector<int> offered;
        int selected;
    } cases[] = {
        {"stored 3", 3, fixed, 2},
        {"stored 15", 15, fixed, 14},
        // A stored port above 15 is offered too and stays selected.
        {"stored 17", 17, withSeventeen, 15},
        {"stored 0 (not a port)", 0, fixed, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> offered = portChoiceNumbers(c.stored);
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(portChoiceIndex(offered, c.stored), c.selected);
    }
}

TEST(SerialChoices, PortTextShowsTheDeviceAndReadsBackAsItsNumber) {
    PortDeviceLookup lookup = [](int n) { return n == 12 ? std::string("/dev/ttyS1") : ""; };
    struct Case {
        int port;
        const char* text;
    } cases[] = {
        {1, "COM1 (/dev/ttyUSB0)"}, {12, "COM12 (/dev/ttyS1)"}, {20, "COM20 (/dev/ttyUSB19)"}};
    for (const Case& c : cases) {
        EXPECT_EQ(portChoiceText(c.port, lookup), c.text);
        EXPECT_EQ(portNumberFromChoice(c.text), c.port);
    }
    struct Parse {
        const char* text;
        int port;
    } parses[] = {{"COM12", 12}, {"COM3", 3}, {"COM", 1}, {"", 1},
                  {"CO1", 1},    {"COMx", 1}, {"COM0", 1}};
    for (const Parse& p : parses) {
        SCOPED_TRACE(p.text);
        EXPECT_EQ(portNumberFromChoice(p.text), p.port);
    }
}

} // namespace
