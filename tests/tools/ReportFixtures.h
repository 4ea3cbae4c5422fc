#pragma once
// Small recorder reports written by hand (the report generator makes the big ones). Texts are
// written in UTF-8 here and handed to the tool as CP932 with CR LF line ends, as captured.
#include "common/Cp932.h"
#include "support/Sjis.h"
#include <string>

namespace fixtures {

// One 3相3線 day without reverse column: an interval block of two samples and a summary block.
// `base` shifts the values so days differ.
inline std::string dayReport(int channel, const std::string& date, double base = 0.0) {
    auto n = [&](double v) {
        char b[32];
        std::snprintf(b, sizeof b, "%.1f", v + base);
        return std::string(b);
    };
    std::string ch = channel == 1 ? "１" : "２";
    std::string t;
    t += "ＣＨ" + ch + " 3相3線 PT:1.0 CT:40.0 " + date + "\n";
    t += "時刻 電力 力率 電圧1 電流1 電圧3 電流3\n";
    t += "00:30 " + n(1200.5) + " 98.2 210.1 12.3 209.8 12.1\n";
    t += "01:00 " + n(1100.0) + " 97.0 210.0 11.0 209.0 11.5\n";
    t += "\n";
    t += "ＣＨ" + ch + " 3相3線 PT:1.0 CT:40.0 " + date + "\n";
    t += "総電力量 " + n(1234.5) + " kWh\n";
    t += "予備 0\n";
    t += "進み 10.5\n";
    t += "遅れ 20.5\n";
    t += "平均電力 500.25\n";
    t += "平均力率 98.5\n";
    t += "最大電力 " + n(800.0) + " W 10:00-10:30\n";
    t += "瞬間最大電力 " + n(900.0) + " 力率 97.0 時刻 11:15\n";
    t += "平均電圧1 210.0\n";
    t += "平均電圧2 209.0\n";
    t += "平均電流1 12.0\n";
    t += "平均電流2 11.0\n";
    t += "瞬間最大電圧1 215.0 V 12:00\n";
    t += "瞬間最大電圧2 214.0 V 12:05\n";
    t += "瞬間最小電圧1 205.0 V 03:00\n";
    t += "瞬間最小電圧2 204.0 V 03:05\n";
    t += "最大電流1 15.0 A 10:00-10:30\n";
    t += "最大電流2 14.0 A 23:30-24:00\n";
    t += "瞬間最大電流1 20.0 A 10:10\n";
    t += "瞬間最大電流2 19.0 A 10:20\n";
    t += "\n";
    return t;
}

// UTF-8 text with LF line ends -> CP932 bytes with CR LF, as a captured file holds them.
inline std::string captured(const std::string& utf8) {
    return crlf(sj(utf8));
}

} // namespace fixtures
