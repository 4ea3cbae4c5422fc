#include "link/ReportParser.h"
#include "common/Cp932.h"
#include "link/ReportLineCleaner.h"
#include "link/ReportText.h"

#include "support/CxException.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
    MeasurementCircuit days;
    std::string error; // UTF-8; empty when the text parsed
};

// Parses a Shift-JIS text, each line cleaned as the reception does.
Parsed parseCp932(const std::string& text) {
    Parsed result;
    ParseContext ctx(result.days);
    try {
        parseReportText(ctx, text);
    } catch (const CxException& e) {
        EXPECT_TRUE(e.hasMessage());
        result.error = sjis::toUtf8(e.message());
    }
    return result;
}

// Parses lines written in UTF-8 (converted to Shift-JIS).
Parsed parse(const std::vector<std::string>& utf8Lines) {
    std::string text;
    for (const std::string& l : utf8Lines) {
        text += sj(l) + "\n";
    }
    return parseCp932(text);
}

DateTime at(int d, int h = 0, int mi = 0) {
    return DateTime::make(2006, 12, d, h, mi);
}

const MeasurementDay& day(const Parsed& p, int channel, int d) {
    int i = p.days.days.find(DayKey{channel, at(d)});
    EXPECT_GE(i, 0) << "no day " << channel << "/" << d;
    static const MeasurementDay none;
    return i >= 0 ? p.days.days.at(i) : none;
}

const std::string kHeader1 = "ＣＨ1 単相 PT:1 CT:100 2006/12/15";
const std::string kHeader4 = "ＣＨ2 3相4線 PT:60 CT:40 2006/12/15";

} // namespace

TEST(ReportParser, FailureMessagesQuoteTheCleanedLine) {
    struct Case {
        std::vector<std::string> lines;
        std::string message;
    } cases[] = {
        {{"ＣＨ3 単相 PT:1 CT:1 2006/12/15"},
         "チャンネル指定の解析が出来ません<ＣＨ3 単相 PT:1 CT:1 2006/12/15>"},
        {{"ＣＨ"}, "チャンネル指定の解析が出来ません<ＣＨ>"},
        {{"ＣＨ 1 単相 PT:1 CT:1 2006/12/15"}, // the channel sticks to "ＣＨ"
         "チャンネル指定の解析が出来ません<ＣＨ 1 単相 PT:1 CT:1 2006/12/15>"},
        {{"ＣＨ1 2相 PT:1 CT:1 2006/12/15"},
         "測定回路種類の解析が出来ません<ＣＨ1 2相 PT:1 CT:1 2006/12/15>"},
        {{"ＣＨ1"}, "測定回路種類の解析が出来ません<ＣＨ1>"},
        {{"ＣＨ1 単相 PT:1"}, "PT解析異常，スペース無し<ＣＨ1 単相 PT:1>"},
        {{"ＣＨ1 単相"}, "PT解析異常，スペース無し<ＣＨ1 単相>"},
        {{"ＣＨ1 単相 PT:6600/110 CT:1 2006/12/15"},
         "PT解析異常，数字以外の文字検出<ＣＨ1 単相 PT:6600/110 CT:1 2006/12/15>"},
        {{"ＣＨ1 単相 PT:1 CT:5"}, "CT解析異常，スペース無し<ＣＨ1 単相 PT:1 CT:5>"},
        {{"ＣＨ1 単相 PT:1 CT:x5 2006/12/15"},
         "CT解析異常，数字以外の文字検出<ＣＨ1 単相 PT:1 CT:x5 2006/12/15>"},
        {{"ＣＨ1 単相 PT:1 CT:5 2006/13/01"}, "時刻解析異常<ＣＨ1 単相 PT:1 CT:5 2006/13/01>"},
        {{"ＣＨ1 単相 PT:1 CT:5 yesterday"}, "時刻解析異常<ＣＨ1 単相 PT:1 CT:5 yesterday>"},
        {{kHeader1, "時刻 電力", "ab:cd 1 2 3 4 5 6"}, "解析異常<ab:cd 1 2 3 4 5 6>"},
        {{kHeader1, "時刻 電力", "24:00 1 2 3 4 5 6"}, "解析異常<24:00 1 2 3 4 5 6>"},
        {{kHeader1, "時刻 電力", "10:00 1,234 2 3 4 5 6"},
         "解析異常，数字以外の文字検出<10:00 1,234 2 3 4 5 6>"},
        {{kHeader1, "総電力量 1x Wh"}, "解析異常，数字以外の文字検出<総電力量 1x Wh>"},
        {{kHeader1, "総電力量 1", "b 1", "c 1", "d 1", "e 1", "f 1", "最大電力 100 時刻 123"},
         "時間範囲解析異常<最大電力 100 時刻 123>"},
        {{kHeader1, "総電力量 1", "b 1", "c 1", "d 1", "e 1", "f 1",
          "最大電力 100 時刻 25:00-10:00"},
         "時間解析１異常<最大電力 100 時刻 25:00-10:00>"},
        {{kHeader1, "総電力量 1", "b 1", "c 1", "d 1", "e 1", "f 1",
          "最大電力 100 時刻 10:00-10:6x"},
         "時間解析２異常<最大電力 100 時刻 10:00-10:6x>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse(c.lines).error, c.message) << c.lines.back();
    }
}

// A report line may carry terminal controls (clear screen, carriage return, NUL): the message
// that quotes it shows them as text, so it can neither rewrite the terminal nor split a log line.
TEST(ReportParser, ControlBytesOfTheLineAreEscapedInTheMessage) {
    struct Case {
        std::string line;
        std::string shown;
    } cases[] = {
        {"\x1b[2J\x1b[Hfiled 5 days", "\\x1B[2J\\x1B[Hfiled 5 days"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"x\ry\x7f", "x\\x0Dy\\x7F"},
    };
    for (const Case& c : cases) {
        MeasurementCircuit days;
        ParseContext ctx(days);
        try {
            FeedLine(ctx, sj("ＣＨ9 ") + c.line);
            ADD_FAILURE() << "no exception";
        } catch (const CxException& e) {
            EXPECT_EQ(sjis::toUtf8(e.message()),
                      "チャンネル指定の解析が出来ません<ＣＨ9 " + c.shown + ">");
        }
    }
}

TEST(ReportParser, LinesThatEndEarlyRaiseTheMissingFieldsMessage) {
    struct Case {
        std::vector<std::string> lines;
        std::string message;
    } cases[] = {
        {{kHeader1, "時刻 電力", "10:00 1 2 3 4 5"},
         "解析異常，数字以外の文字検出<10:00 1 2 3 4 5>"},
        {{kHeader1, "時刻 電力", "10:00"}, "解析異常，数字以外の文字検出<10:00>"},
        // 3相4線 needs two more values.
        {{kHeader4, "時刻 電力", "10:00 1 2 3 4 5 6 7"},
         "解析異常，数字以外の文字検出<10:00 1 2 3 4 5 6 7>"},
        // With the reverse column one more.
        {{kHeader1, "時刻 電力 正方向 逆方向", "10:00 1 2 3 4 5 6"},
         "解析異常，数字以外の文字検出<10:00 1 2 3 4 5 6>"},
        {{kHeader1, "総電力量"}, "解析異常，数字以外の文字検出<総電力量>"},
        {{kHeader1, "総電力量 1", "b 1", "c 1", "d 1", "e 1", "f 1", "最大電力 100 時刻"},
         "時間範囲解析異常<最大電力 100 時刻>"},
        {{kHeader1, "総電力量 1", "b 1", "c 1", "d 1", "e 1", "f 1", "最大電力 100", "x"},
         "時間範囲解析異常<最大電力 100>"},
        {{kHeader1, "総電力量 1", "b 1", "c 1", "d 1", "e 1", "f 1", "g 1 x 10:00-10:30",
          "瞬間最大電力 5 力率"},
         "解析異常，数字以外の文字検出<瞬間最大電力 5 力率>"},
        {{kHeader1, "総電力量 1", "b 1", "c 1", "d 1", "e 1", "f 1", "g 1 x 10:00-10:30",
          "瞬間最大電力 5 力率 90 時刻"},
         "時間範囲解析異常<瞬間最大電力 5 力率 90 時刻>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse(c.lines).error, c.message) << c.lines.back();
    }
}

TEST(ReportParser, CrStaysInTheLastToken) {
    // A recorder that ends its lines with CR LF on the serial line: the CR survives the clean-up.
    MeasurementCircuit days;
    ParseContext ctx(days);
    std::string lines[] = {sj(kHeader1) + "\n", sj("時刻") + "\r\n", "10:00 1 2 3 4 5 6\r\n"};
    ReportLineCleaner(lines[0], kReceptionCleanOptions);
    FeedLine(ctx, lines[0]);
    ReportLineCleaner(lines[1], kReceptionCleanOptions);
    FeedLine(ctx, lines[1]);
    ReportLineCleaner(lines[2], kReceptionCleanOptions);
    try {
        FeedLine(ctx, lines[2]);
        FAIL() << "no exception";
    } catch (const CxException& e) {
        EXPECT_EQ(sjis::toUtf8(e.message()),
                  "解析異常，数字以外の文字検出<10:00 1 2 3 4 5 6\\x0D>"); // shown, not obeyed
    }
}

TEST(ReportParser, SummaryPositionOutsideTheTableRaises) {
    MeasurementCircuit days;
    ParseContext ctx(days);
    FeedLine(ctx, sj(kHeader1));
    FeedLine(ctx, sj("総電力量 1"));
    ctx.summaryPosition = 30;
    try {
        FeedLine(ctx, "x 1");
        FAIL() << "no exception";
    } catch (const CxException& e) {
        EXPECT_EQ(sjis::toUtf8(e.message()), "解析異常，該当ケース無し，sw=[30]<x 1>");
    }
}

TEST(ReportParser, LongLines) {
    std::string longNoise(5000, 'x');
    // Ignored lines may be of any length.
    Parsed p = parse(
        {longNoise, kHeader1, longNoise, "時刻", "10:00 1 2 3 4 5 6", "停電 " + longNoise, ""});
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(day(p, 1, 15).data.intervals.count(), 1);

    // A line the grammar reads is limited to 999 bytes; the message quotes what fits.
    std::string value999 = "10:00 1 2 3 4 5 6 " + std::string(999 - 18, 'x'); // extra tokens
    p = parse({kHeader1, "時刻", value999, ""});
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(day(p, 1, 15).data.intervals.at(0).current[1], 6);

    std::string tooLong = value999 + "x";
    p = parse({kHeader1, "時刻", tooLong, ""});
    EXPECT_EQ(p.error, "解析異常，行が長すぎます<" + value999 + ">");

    // The quote never ends inside a double-byte character: あ takes bytes 998 and 999.
    std::string header = "ＣＨ1 単相 PT:1 CT:1 " + std::string(977, ' ') + "あ";
    ASSERT_EQ(sj(header).size(), 1000u);
    p = parse({header});
    EXPECT_EQ(p.error,
              "解析異常，行が長すぎます<ＣＨ1 単相 PT:1 CT:1 " + std::string(977, ' ') + ">");
}

TEST(ReportParser, NoHeaderNoDays) {
    Parsed p =
        parse({"＊＊ オルボ 日報 ＊＊", "", "時刻 電力", "10:00 1 2 3 4 5 6", "", "総電力量 5"});
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(p.days.days.count(), 0);
}

TEST(ReportParser, OnlyFullWidthUpperCaseChIsAHeader) {
    for (const char* h : {"CH1 単相 PT:1 CT:1 2006/12/15", "ｃｈ1 単相 PT:1 CT:1 2006/12/15",
                          "Ｃｈ1 単相 PT:1 CT:1 2006/12/15", " ＣＨ1 単相 PT:1 CT:1 2006/12/15x"}) {
        // (the last one starts with a blank, which the clean-up removes: it is a header and
        // fails on its date)
        Parsed p = parse({h, "時刻", "10:00 1 2 3 4 5 6", ""});
        if (h[0] == ' ') {
            EXPECT_EQ(p.error, "時刻解析異常<ＣＨ1 単相 PT:1 CT:1 2006/12/15x>");
        } else {
            EXPECT_EQ(p.error, "") << h;
            EXPECT_EQ(p.days.days.count(), 0) << h;
        }
    }
}

TEST(ReportParser, HeaderFields) {
    Parsed p = parse({"ＣＨ1A 3相4線系 PT:6600 CT:-1.5 2006/12/15 10:30", "時刻", ""});
    ASSERT_EQ(p.error, "");
    const MeasurementDay& d = day(p, 1, 15);
    EXPECT_EQ(d.date, at(15)); // the time of day is dropped
    EXPECT_EQ(d.data.circuitType, CircuitThreePhase4Wire);
    EXPECT_EQ(d.data.ptRatio, 6600);
    EXPECT_EQ(d.data.ctRatio, -1.5);
    EXPECT_EQ(d.data.hasReverse, 0);

    // Full-width header, as printed, with ideographic spaces.
    p = parse({"ＣＨ２　３相３線　ＰＴ：６０　ＣＴ：２０．５　２００６／１２／１６", "時刻", ""});
    ASSERT_EQ(p.error, "");
    const MeasurementDay& f = day(p, 2, 16);
    EXPECT_EQ(f.data.circuitType, CircuitThreePhase3Wire);
    EXPECT_EQ(f.data.ptRatio, 60);
    EXPECT_EQ(f.data.ctRatio, 20.5);

    // Only the first character of the channel token counts; the PT token loses 3 bytes.
    p = parse({"ＣＨ2x 単相 PT=1.5 CT:7 2006/12/17", "時刻", ""});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(day(p, 2, 17).data.ptRatio, 1.5);
}

TEST(ReportParser, HeaderFormsSeenInTheField) {
    using namespace std::string_literals;
    const std::string ch = sj("ＣＨ1 単相 ");
    struct Case {
        const char* name;
        std::string header; // CP932
        DateTime date;
        double pt;
        double ct;
        std::string interval; // an interval line on that date
    } cases[] = {
        {"zero byte ends the line", ch + "PT:6 CT:5 2006/12/15\0\x81garbage"s,
         DateTime::make(2006, 12, 15), 6, 5, "10:30"},
        {"zero byte right after the date", ch + "PT:6 CT:5 2006/12/15\0"s,
         DateTime::make(2006, 12, 15), 6, 5, "10:30"},
        {"four-digit year below 1000", ch + "PT:6 CT:5 0100/01/01", DateTime::make(100, 1, 1), 6, 5,
         "10:30"},
        {"year 0999 with a time", ch + "PT:6 CT:5 0999/12/31 23:00", DateTime::make(999, 12, 31), 6,
         5, "9:05"},
        {"left single quote",
         ch + "PT\x81\x65"
              "100 CT:5 2006/12/15",
         DateTime::make(2006, 12, 15), 100, 5, "10:30"},
        {"right single quote",
         ch + "PT\x81\x66"
              "100 CT\x81\x66"
              "2 2006/12/15",
         DateTime::make(2006, 12, 15), 100, 2, "10:30"},
        {"left double quote",
         ch + "PT\x81\x67"
              "100 CT:5 2006/12/15",
         DateTime::make(2006, 12, 15), 100, 5, "10:30"},
        {"right double quote",
         ch + "PT:1 CT\x81\x68"
              "7 2006/12/15",
         DateTime::make(2006, 12, 15), 1, 7, "10:30"},
        {"full-width apostrophe (NEC-selected IBM)",
         ch + "PT\xEE\xFB"
              "3 CT:5 2006/12/15",
         DateTime::make(2006, 12, 15), 3, 5, "10:30"},
        {"full-width apostrophe (IBM)",
         ch + "PT\xFA\x56"
              "3 CT:5 2006/12/15",
         DateTime::make(2006, 12, 15), 3, 5, "10:30"},
        {"full-width quote (NEC-selected IBM)",
         ch + "PT\xEE\xFC"
              "100 CT:5 2006/12/15",
         DateTime::make(2006, 12, 15), 100, 5, "10:30"},
        {"full-width quote (IBM)",
         ch + "PT:4 CT\xFA\x57"
              "9 2006/12/15",
         DateTime::make(2006, 12, 15), 4, 9, "10:30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.header + "\n" + sj("時刻") + "\n" + c.interval + " 1 2 3 4 5 6\n\n";
        Parsed p = parseCp932(text);
        ASSERT_EQ(p.error, "");
        ASSERT_EQ(p.days.days.count(), 1);
        const MeasurementDay& d = p.days.days.at(0);
        EXPECT_EQ(d.channel, 1);
        EXPECT_EQ(d.date, c.date);
        EXPECT_EQ(d.data.circuitType, CircuitSinglePhase);
        EXPECT_EQ(d.data.ptRatio, c.pt);
        EXPECT_EQ(d.data.ctRatio, c.ct);
        ASSERT_EQ(d.data.intervals.count(), 1);
        EXPECT_EQ(d.data.intervals.at(0).time.format("%Y/%m/%d"), c.date.format("%Y/%m/%d"));
    }
}

TEST(ReportParser, IntervalLines) {
    Parsed p = parse({kHeader1, "印字中の雑音は見出しの後なら無視",
                      "時刻 電力 力率 電圧1 電流1 電圧2 電流2", "00:30 100 95.5 101.5 1.5 102 1.25",
                      "停電 2006/12/15 00:40 - 00:55", "10:00 1 2 3 4 5 6 ; note",
                      "10:00 7 ? --.- 12.? 11 12", "23:30 1 1 1 1 1 1", "00:00 2 2 2 2 2 2", ""});
    ASSERT_EQ(p.error, "");
    const DayData& d = day(p, 1, 15).data;
    ASSERT_EQ(d.intervals.count(), 4);
    EXPECT_EQ(d.circuitType, CircuitSinglePhase);
    const IntervalSample& s0 = d.intervals.at(0);
    EXPECT_EQ(s0.time, at(15, 0, 30));
    EXPECT_EQ(s0.power, 100);
    EXPECT_EQ(s0.reversePower, 0);
    EXPECT_EQ(s0.powerFactor, 95.5);
    EXPECT_EQ(s0.voltage, (std::array<double, 3>{101.5, 102, 0}));
    EXPECT_EQ(s0.current, (std::array<double, 3>{1.5, 1.25, 0}));
    // The repeated time keeps one sample with the later values.
    const IntervalSample& s1 = d.intervals.at(1);
    EXPECT_EQ(s1.time, at(15, 10));
    EXPECT_EQ(s1.power, 7);
    EXPECT_EQ(s1.powerFactor, 0);
    EXPECT_EQ(s1.voltage[0], 0);
    EXPECT_EQ(s1.current[0], 12);
    // 00:00 after 23:30 is the next day.
    EXPECT_EQ(d.intervals.at(2).time, at(15, 23, 30));
    EXPECT_EQ(d.intervals.at(3).time, at(16, 0, 0));
}

TEST(ReportParser, RollOverMovesToTheFirstDayNotBeforeTheLatestSample) {
    Parsed p = parse({kHeader1, "時刻", "23:00 1 1 1 1 1 1", "01:00 1 1 1 1 1 1",
                      "01:00 2 2 2 2 2 2", "00:30 3 3 3 3 3 3", "23:00 4 4 4 4 4 4", ""});
    ASSERT_EQ(p.error, "");
    const auto& iv = day(p, 1, 15).data.intervals;
    ASSERT_EQ(iv.count(), 4);
    EXPECT_EQ(iv.at(0).time, at(15, 23));
    EXPECT_EQ(iv.at(1).time, at(16, 1)); // equal to the latest: not moved, overwritten
    EXPECT_EQ(iv.at(1).power, 2);
    EXPECT_EQ(iv.at(2).time, at(17, 0, 30));
    EXPECT_EQ(iv.at(3).time, at(17, 23));
    EXPECT_EQ(iv.at(3).power, 4);
}

TEST(ReportParser, ThreePhaseFourWireAndReverseColumn) {
    Parsed p =
        parse({kHeader4, "時刻 電力(正方向) 電力(逆方向) 力率 V1 I1 V2 I2 V3 I3",
               "10:00 1 -2 3 4 5 6 7 8 9", "10:30 1 -2 3 4 5 6 7 8 9 extra tokens ignored", ""});
    ASSERT_EQ(p.error, "");
    const DayData& d = day(p, 2, 15).data;
    EXPECT_EQ(d.hasReverse, 1);
    ASSERT_EQ(d.intervals.count(), 2);
    const IntervalSample& s = d.intervals.at(0);
    EXPECT_EQ(s.power, 1);
    EXPECT_EQ(s.reversePower, -2);
    EXPECT_EQ(s.powerFactor, 3);
    EXPECT_EQ(s.voltage, (std::array<double, 3>{4, 6, 8}));
    EXPECT_EQ(s.current, (std::array<double, 3>{5, 7, 9}));

    // Without "正方向" the same day has 9 tokens a line.
    p = parse({kHeader4, "時刻 電力 力率", "10:00 1 3 4 5 6 7 8 9", ""});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(day(p, 2, 15).data.hasReverse, 0);
    EXPECT_EQ(day(p, 2, 15).data.intervals.at(0).current[2], 9);
}

TEST(ReportParser, CommentLineClosesAnIntervalBlock) {
    Parsed p = parse({kHeader1, "時刻", "10:00 1 2 3 4 5 6", "; page break", "10:30 1 2 3 4 5 6"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(day(p, 1, 15).data.intervals.count(), 1);
}

TEST(ReportParser, UnclosedBlockKeepsNothing) {
    Parsed p = parse({kHeader1, "時刻", "10:00 1 2 3 4 5 6", "",
                      "ＣＨ1 単相 PT:1 CT:100 2006/12/16", "時刻", "10:00 1 2 3 4 5 6"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(day(p, 1, 15).data.intervals.count(), 1);
    // The header made the day; its samples never arrived.
    EXPECT_EQ(day(p, 1, 16).data.intervals.count(), 0);
    EXPECT_EQ(day(p, 1, 16).data.circuitType, 0);
}

TEST(ReportParser, ErrorKeepsTheDaysAlreadyClosed) {
    MeasurementCircuit days;
    ParseContext ctx(days);
    std::string text =
        sj(kHeader1 + "\n時刻\n10:00 1 2 3 4 5 6\n\n" + kHeader4 + "\n時刻\n10:00 x\n");
    EXPECT_THROW(parseReportText(ctx, text), CxException);
    ASSERT_EQ(days.days.count(), 2);
    EXPECT_EQ(days.days.at(0).data.intervals.count(), 1);
    EXPECT_EQ(days.days.at(1).data.intervals.count(), 0);
}

namespace {

// A summary block of a 3相4線 day with the reverse column, every position present.
std::vector<std::string> fullSummary() {
    return {"総電力量(正) 1000 Wh",
            "総電力量(逆) -200 Wh",
            "合計 800 Wh",
            "",
            "進み無効電力量 30 varh",
            "遅れ無効電力量 40 varh",
            "平均電力(正) 50 W",
            "平均電力(逆) -6 W",
            "平均力率 97.5 %",
            "最大電力(正) 120 時刻 10:00-10:30",
            "最大電力(逆) -30 時刻 23:30-24:00",
            "瞬間最大電力(正) 150 力率 96 時刻 10:12",
            "瞬間最大電力(逆) -40 力率 91 時刻 12:01",
            "瞬間最大電力 (注) この行は見出し",
            "平均電圧1 101 V",
            "平均電圧2 102 V",
            "平均電圧3 103 V",
            "平均電流1 11 A",
            "平均電流2 12 A",
            "平均電流3 13 A",
            "瞬間最大電圧1 111 時刻 01:01",
            "瞬間最大電圧2 112 時刻 01:02",
            "瞬間最大電圧3 113 時刻 01:03",
            "瞬間最小電圧1 91 時刻 02:01",
            "瞬間最小電圧2 92 時刻 02:02",
            "瞬間最小電圧3 93 時刻 02:03",
            "最大電流1 21 時刻 03:00-03:30",
            "最大電流2 22 時刻 04:00-04:30",
            "最大電流3 23 時刻 05:00-05:30",
            "瞬間最大電流1 31 時刻 06:01",
            "瞬間最大電流2 32 時刻 06:02",
            "瞬間最大電流3 33 時刻 06:03"};
}

} // namespace

TEST(ReportParser, SummaryBlockFourWireWithReverse) {
    std::vector<std::string> lines = {kHeader4, "時刻 正方向", "10:00 1 -2 3 4 5 6 7 8 9",
                                      "",       kHeader4,      "ノイズ"};
    for (const std::string& l : fullSummary()) {
        lines.push_back(l);
    }
    lines.push_back("ＣＨ2 3相4線 PT:60 CT:40 2006/12/16"); // the block ended: a header again
    lines.push_back("時刻 正方向");
    lines.push_back("");
    Parsed p = parse(lines);
    ASSERT_EQ(p.error, "");
    const DaySummary& s = day(p, 2, 15).data.summary;
    EXPECT_EQ(s.energy, 1000);
    EXPECT_EQ(s.reverseEnergy, -200);
    EXPECT_EQ(s.spareTotal, 0);
    EXPECT_EQ(s.leadReactiveEnergy, 30);
    EXPECT_EQ(s.lagReactiveEnergy, 40);
    EXPECT_EQ(s.averagePower, 50);
    EXPECT_EQ(s.reverseAveragePower, -6);
    EXPECT_EQ(s.averagePowerFactor, 97.5);
    EXPECT_EQ(s.maxDemand, (PeakRecord{120, at(15, 10), at(15, 10, 30)}));
    EXPECT_EQ(s.reverseMaxDemand, (PeakRecord{-30, at(15, 23, 30), at(16, 0, 0)}));
    EXPECT_EQ(s.peakPower, (PeakRecord{150, at(15, 10, 12), DateTime()}));
    EXPECT_EQ(s.peakPowerFactor, 96);
    EXPECT_EQ(s.reversePeakPower, (PeakRecord{-40, at(15, 12, 1), DateTime()}));
    EXPECT_EQ(s.reversePeakPowerFactor, 91);
    EXPECT_EQ(s.averageVoltage, (std::array<double, 3>{101, 102, 103}));
    EXPECT_EQ(s.averageCurrent, (std::array<double, 3>{11, 12, 13}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.peakVoltage[i], (PeakRecord{111.0 + i, at(15, 1, 1 + i), DateTime()}));
        EXPECT_EQ(s.minVoltage[i], (PeakRecord{91.0 + i, at(15, 2, 1 + i), DateTime()}));
        EXPECT_EQ(s.maxCurrent[i], (PeakRecord{21.0 + i, at(15, 3 + i), at(15, 3 + i, 30)}));
        EXPECT_EQ(s.peakCurrent[i], (PeakRecord{31.0 + i, at(15, 6, 1 + i), DateTime()}));
    }
    // The interval block written before the summary is still there.
    EXPECT_EQ(day(p, 2, 15).data.intervals.count(), 1);
    EXPECT_EQ(p.days.days.count(), 2);
}

TEST(ReportParser, SummaryBlockSinglePhaseWithoutReverse) {
    Parsed p =
        parse({kHeader1, "時刻 電力", "10:00 1 2 3 4 5 6", "", kHeader1, "総電力量 1000 Wh",
               "合計 1000 Wh", "進み 30", "遅れ 40", "平均電力 50", "平均力率 97.5",
               "最大電力 120 時刻 10:00-10:30", "瞬間最大電力 150 力率 96 時刻 10:12",
               "瞬間最大電力(逆) 0 力率 0 時刻 00:00", "瞬間最大電力 見出し", "平均電圧1 101",
               "平均電圧2 102", "平均電流1 11", "平均電流2 12", "瞬間最大電圧1 111 時刻 01:01",
               "瞬間最大電圧2 112 時刻 01:02", "瞬間最小電圧1 91 時刻 02:01",
               "瞬間最小電圧2 92 時刻 02:02", "最大電流1 21 時刻 03:00-03:30",
               "最大電流2 22 時刻 04:00-04:30", "瞬間最大電流1 31 時刻 06:01",
               "瞬間最大電流2 32 時刻 06:02",
               // The block has ended after position 28: this is looked at for "ＣＨ".
               "瞬間最大電流3 33 時刻 06:03", "ＣＨ1 単相 PT:1 CT:100 2006/12/16", "時刻", ""});
    ASSERT_EQ(p.error, "");
    const DaySummary& s = day(p, 1, 15).data.summary;
    EXPECT_EQ(s.energy, 1000);
    EXPECT_EQ(s.reverseEnergy, 0);
    EXPECT_EQ(s.leadReactiveEnergy, 30);
    EXPECT_EQ(s.averagePower, 50);
    EXPECT_EQ(s.reverseAveragePower, 0);
    EXPECT_EQ(s.averagePowerFactor, 97.5);
    EXPECT_EQ(s.maxDemand.value, 120);
    EXPECT_FALSE(s.reverseMaxDemand.from.isValid());
    EXPECT_EQ(s.peakPower.value, 150);
    EXPECT_EQ(s.averageVoltage, (std::array<double, 3>{101, 102, 0}));
    EXPECT_EQ(s.averageCurrent, (std::array<double, 3>{11, 12, 0}));
    EXPECT_EQ(s.peakVoltage[1].value, 112);
    EXPECT_EQ(s.minVoltage[1].value, 92);
    EXPECT_EQ(s.maxCurrent[1].value, 22);
    EXPECT_EQ(s.peakCurrent[1].value, 32);
    EXPECT_EQ(s.peakCurrent[2].value, 0);
    EXPECT_EQ(p.days.days.count(), 2);
}

TEST(ReportParser, SummaryBeforeItsIntervalsUsesTheTwoPhaseLayout) {
    // The stored day has no circuit type yet: phase 3 positions are skipped even for 3相4線,
    // and the interval block that closes afterwards replaces the whole day data.
    const std::vector<std::string> summary = {kHeader4,
                                              "総電力量 1000",
                                              "合計",
                                              "進み 30",
                                              "遅れ 40",
                                              "平均電力 50",
                                              "平均力率 97.5",
                                              "最大電力 120 時刻 10:00-10:30",
                                              "瞬間最大電力 150 力率 96 時刻 10:12",
                                              "平均電圧1 101",
                                              "平均電圧2 102",
                                              "平均電流1 11",
                                              "平均電流2 12",
                                              "a 1 b 01:01",
                                              "a 2 b 01:02",
                                              "a 3 b 01:03",
                                              "a 4 b 01:04",
                                              "a 5 b 01:00-01:30",
                                              "a 6 b 01:00-01:30",
                                              "a 7 b 01:07",
                                              "a 8 b 01:08"};
    auto followedBy = [&](std::vector<std::string> more) {
        std::vector<std::string> lines = summary;
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    };
    Parsed p = parse(followedBy({kHeader4, "時刻", "10:00 1 2 3 4 5 6 7 8", ""}));
    ASSERT_EQ(p.error, "");
    const DayData& d = day(p, 2, 15).data;
    EXPECT_EQ(d.summary, DaySummary());
    EXPECT_EQ(d.intervals.count(), 1);

    // Without the later interval block the summary stays, read with two phases.
    p = parse(followedBy({"ＣＨ1 単相 PT:1 CT:1 2006/12/20"}));
    ASSERT_EQ(p.error, "");
    const DaySummary& s = day(p, 2, 15).data.summary;
    EXPECT_EQ(s.averageVoltage, (std::array<double, 3>{101, 102, 0}));
    EXPECT_EQ(s.peakCurrent[1].value, 8);
    EXPECT_EQ(p.days.days.count(), 2);
}

TEST(ReportParser, HeaderResetsTheWorkingDay) {
    Parsed p = parse({kHeader1, "時刻", "10:00 1 2 3 4 5 6", "10:30 1 2 3 4 5 6", "", kHeader1,
                      "時刻 正方向", "11:00 1 -1 2 3 4 5 6", ""});
    ASSERT_EQ(p.error, "");
    const DayData& d = day(p, 1, 15).data;
    ASSERT_EQ(d.intervals.count(), 1);
    EXPECT_EQ(d.intervals.at(0).time, at(15, 11));
    EXPECT_EQ(d.hasReverse, 1);
    EXPECT_EQ(d.ptRatio, 1);
    EXPECT_EQ(d.ctRatio, 100);
}

TEST(ReportParser, BlankAndNoiseLinesAroundBlockLines) {
    // Empty lines inside a summary are ignored, noise between header and block kind too.
    Parsed p = parse({kHeader1, "", "ページ 1", "", "総電力量 5", "", "", "合計 5", ""});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(day(p, 1, 15).data.summary.energy, 5);
}
