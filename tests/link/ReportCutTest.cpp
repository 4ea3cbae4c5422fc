// How a report's input ends: a cut inside a block or a line gives back the days whose blocks
// arrived whole, never the cut one; a grammar error inside complete data stays an error; days
// none of whose listings arrived are left out.
#include "link/ReportCut.h"
#include "SampleReport.h"
#include "link/ReportText.h"
#include "support/CxException.h"
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using sample::u;

struct Read {
    std::vector<std::string> days; // "<channel>ch <dd>/<samples>"
    ReportEnd end;
    std::string error; // UTF-8
};

Read readAll(const std::string& text) {
    MeasurementCircuit days;
    ParseContext context(days);
    ReportTextReader reader(text);
    Read r;
    try {
        r.end = readWholeReport(context, reader);
    } catch (const CxException& e) {
        r.error = sjis::toUtf8(e.message());
    }
    for (const MeasurementDay& d : days.days)
        r.days.push_back(std::to_string(d.channel) + "ch " + d.date.format("%d") + "/" +
                         std::to_string(d.data.intervals.count()));
    return r;
}

std::string dayOf(const std::optional<DayKey>& key) {
    return key ? std::to_string(key->channel) + "ch " + key->date.format("%d") : "-";
}

std::string whole(int channel, int day) {
    return sample::intervalBlock(channel, day, 4) + sample::summaryBlock(channel, day) + "\n";
}

TEST(ReportCut, OnlyDaysWhoseBlocksArrivedWholeStay) {
    const std::string two = whole(1, 1) + whole(1, 2);
    const std::string summary3 = sample::summaryBlock(1, 3);
    struct Case {
        const char* name;
        std::string text;
        bool cut;
        const char* cutDay;
        std::vector<std::string> days;
    } cases[] = {
        {"complete", two, false, "-", {"1ch 01/4", "1ch 02/4"}},
        {"no line end at the very end", two + u("おわり"), false, "-", {"1ch 01/4", "1ch 02/4"}},
        {"after a header", two + sample::header(1, 3), true, "1ch 03", {"1ch 01/4", "1ch 02/4"}},
        {"inside a listing",
         two + sample::intervalBlock(1, 3, 2, false),
         true,
         "1ch 03",
         {"1ch 01/4", "1ch 02/4"}},
        // The listing of day 3 closed, its summary did not: the day is the cut one.
        {"inside a summary",
         two + sample::intervalBlock(1, 3, 2) + summary3.substr(0, 200) + "\n",
         true,
         "1ch 03",
         {"1ch 01/4", "1ch 02/4"}},
        // A cut value or time passes the grammar as another number: never parsed.
        {"inside the last summary line",
         two + sample::intervalBlock(1, 3, 2) + summary3.substr(0, summary3.size() - 3),
         true,
         "1ch 03",
         {"1ch 01/4", "1ch 02/4"}},
        {"inside a listing line",
         two + sample::intervalBlock(1, 3, 2, false) + "03:00 10",
         true,
         "1ch 03",
         {"1ch 01/4", "1ch 02/4"}},
        {"blank piece inside a listing",
         two + sample::intervalBlock(1, 3, 2, false) + "  ",
         true,
         "1ch 03",
         {"1ch 01/4", "1ch 02/4"}},
        // A header cut short fails its grammar: the cut, with no day of its own.
        {"inside a header",
         two + sample::header(1, 3).substr(0, 12),
         true,
         "-",
         {"1ch 01/4", "1ch 02/4"}},
        // Channel 2 of day 2 is cut; channel 1 of day 2 stays.
        {"inside the second channel",
         whole(1, 1) + whole(1, 2) + sample::intervalBlock(2, 2, 3, false),
         true,
         "2ch 02",
         {"1ch 01/4", "1ch 02/4"}},
        {"inside the first day", sample::intervalBlock(1, 1, 3, false), true, "1ch 01", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Read r = readAll(c.text);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.end.cut, c.cut);
        EXPECT_EQ(dayOf(r.end.cutDay), c.cutDay);
        EXPECT_EQ(r.days, c.days);
    }
}

TEST(ReportCut, GrammarErrorInsideCompleteDataStaysAnError) {
    const std::string bad = u("ＣＨ") + "3 " + u("単相") + " PT:1 CT:1 2024/03/03";
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"bad header, then more", whole(1, 1) + bad + "\n" + whole(1, 2)},
        {"bad header with its line end, last", whole(1, 1) + bad + "\n"},
        {"bad value inside a listing",
         whole(1, 1) + sample::intervalBlock(1, 2, 1, false) + "01:00 1,234 90 101 5 102 4\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Read r = readAll(c.text);
        EXPECT_NE(r.error, "");
    }
}

// A summary whose listing went by before the reception began is no day; a listing that comes
// after its summary keeps the day as before.
TEST(ReportCut, DaysWithoutAListingAreLeftOut) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> days;
        std::vector<std::string> headless;
    } cases[] = {
        {"summary alone",
         sample::summaryBlock(1, 1) + "\n" + whole(1, 2),
         {"1ch 02/4"},
         {"1ch 01"}},
        {"summary between whole days",
         whole(1, 1) + sample::summaryBlock(2, 2) + "\n" + whole(1, 3),
         {"1ch 01/4", "1ch 03/4"},
         {"2ch 02"}},
        {"summary, then listing",
         sample::summaryBlock(1, 1) + "\n" + sample::intervalBlock(1, 1, 2),
         {"1ch 01/2"},
         {}},
        {"listing without summary", sample::intervalBlock(1, 1, 2), {"1ch 01/2"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Read r = readAll(c.text);
        EXPECT_EQ(r.error, "");
        EXPECT_FALSE(r.end.cut);
        EXPECT_EQ(r.days, c.days);
        std::vector<std::string> headless;
        for (const DayKey& k : r.end.headless)
            headless.push_back(dayOf(k));
        EXPECT_EQ(headless, c.headless);
    }
}

TEST(ReportCut, MessageNamesTheReasonWhatWasKeptAndTheFile) {
    ReportEnd end;
    end.cut = true;
    end.cutDay = DayKey{2, DateTime::make(2024, 3, 5)};
    EXPECT_EQ(
        sjis::toUtf8(cutReceptionMessage(CutReason::Silence, end, 3, "/r/20240305-101500.txt")),
        "記録計からの送信が測定データの途中で途切れました。 完全に届いた測定データは 3 件です。 "
        "途中で切れた 2ch 2024/03/05 は取り込みません。 受信ファイル：/r/20240305-101500.txt");
    ReportEnd header;
    header.cut = true;
    EXPECT_EQ(sjis::toUtf8(cutReceptionMessage(CutReason::FileEnd, header, 0, "/x/cap.txt")),
              "ファイルが測定データの途中で終わっています。 完全に届いた測定データはありません。 "
              "ファイル：/x/cap.txt");
    EXPECT_EQ(
        sjis::toUtf8(cutReceptionMessage(CutReason::ReadError, end, 1, "")),
        "測定データの受信中にシリアルポートから読めなくなりました（ケーブルや変換器が外れた可能性"
        "があります）。 完全に届いた測定データは 1 件です。 途中で切れた 2ch 2024/03/05 "
        "は取り込みません。");
}

} // namespace
