#pragma once
// A small recorder report in the printed grammar: per channel and day an interval block and a
// summary block (two-phase layout, no reverse column).
#include "common/Cp932.h"
#include "support/Sjis.h"
#include <cstdio>
#include <string>

namespace sample {

inline std::string u(const char* utf8) {
    return sj(utf8);
}

inline std::string header(int channel, int day) {
    char text[128];
    std::snprintf(text, sizeof text, "%d %s PT:66.0 CT:40.0 2024/03/%02d\n", channel,
                  u("単相").c_str(), day);
    return u("ＣＨ") + text;
}

// The interval block of one day, closed by its empty line unless closed is false.
inline std::string intervalBlock(int channel, int day, int intervals, bool closed = true) {
    std::string out = header(channel, day);
    out += u("時刻 電力 力率 電圧1 電流1 電圧2 電流2\n");
    for (int i = 0; i < intervals; ++i) {
        int minutes = (i + 1) * 30;
        char line[128];
        std::snprintf(line, sizeof line, "%02d:%02d %d %d.%d 101.%d 5.%d 102.%d 4.%d\n",
                      (minutes / 60) % 24, minutes % 60, 1000 + channel * 100 + i, 90 + i % 10,
                      day % 10, i % 10, channel, day % 10, i % 10);
        out += line;
    }
    if (closed)
        out += "\n";
    return out;
}

inline std::string summaryBlock(int channel, int day) {
    std::string out = header(channel, day);
    auto n = [&](const char* label, int value) {
        char line[96];
        std::snprintf(line, sizeof line, " %d\n", value);
        out += u(label) + line;
    };
    auto r = [&](const char* label, int value, const char* time) {
        char line[96];
        std::snprintf(line, sizeof line, " %d %s %s\n", value, "W", time);
        out += u(label) + line;
    };
    n("総電力量", 24000 + day);                          // 0
    out += u("予備") + "\n";                             // 2
    n("進み無効電力量", 300 + channel);                  // 3
    n("遅れ無効電力量", 400 + channel);                  // 4
    n("平均電力", 1000 + day);                           // 5
    n("平均力率", 95);                                   // 7
    r("最大需要電力", 1500 + day, "10:00-10:30");        // 8
    out += u("瞬時最大電力") + " 1600 PF 93 AT 10:12\n"; // 10
    n("平均電圧1", 101);                                 // 12
    n("平均電圧2", 102);                                 // 13
    n("平均電流1", 5);                                   // 15
    n("平均電流2", 4);                                   // 16
    r("最大電圧1", 105, "11:00");                        // 18
    r("最大電圧2", 106, "11:30");                        // 19
    r("最小電圧1", 97, "03:00");                         // 21
    r("最小電圧2", 96, "03:30");                         // 22
    r("最大電流1", 9, "12:00-12:30");                    // 24
    r("最大電流2", 8, "12:30-13:00");                    // 25
    r("瞬時最大電流1", 12, "12:10");                     // 27
    r("瞬時最大電流2", 11, "12:40");                     // 28, ends the block
    return out;
}

// Two channels over the given days, with a page title in front.
inline std::string report(int days, int intervals) {
    std::string out = u("オルボ 測定データ\n\n");
    for (int day = 1; day <= days; ++day)
        for (int channel = 1; channel <= 2; ++channel)
            out += intervalBlock(channel, day, intervals) + summaryBlock(channel, day) + "\n";
    return out;
}

} // namespace sample
