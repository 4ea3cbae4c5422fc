#include "textout/CsvReport.h"
#include "common/Cp932.h"
#include "textout/StringSink.h"

#include "CsvFixtures.h"
#include "common/FailAfterSink.h"
#include "common/TempFolder.h"
#include "store/MemorySink.h"
#include "support/CxException.h"
#include "support/FileNameFit.h"
#include "support/LogFile.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "textout/ReportFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

using csvfix::Report;

std::string golden(const char* name) {
    const char* dir = std::getenv("ORVO_TEST_DATA");
    std::filesystem::path base = dir ? dir : ORVO_TEST_DATA_DIR;
    std::string bytes = fileBytes(base / "textout" / name);
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
}

std::string render(const DisplaySelection& sel, int startDay = 21) {
    StringSink sink;
    ReportLineWriter out(sink);
    writeReportLines(out, sel, startDay);
    return sink.bytes();
}

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::size_t fieldCount(const std::string& line) {
    std::size_t n = 1;
    for (std::size_t p = line.find(", "); p != std::string::npos; p = line.find(", ", p + 2))
        ++n;
    return n;
}

// Valid CP932 through and through, lines ended by CR LF only, data lines as wide as the header.
void checkWellFormed(const std::string& bytes, bool monthly) {
    const std::string utf8 = sjis::toUtf8(bytes);
    EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << "invalid CP932 byte";
    EXPECT_EQ(sj(utf8), bytes);
    for (std::size_t p = bytes.find('\n'); p != std::string::npos; p = bytes.find('\n', p + 1))
        EXPECT_TRUE(p > 0 && bytes[p - 1] == '\r') << "bare LF at " << p;

    const std::vector<std::string> lines = splitLines(bytes);
    ASSERT_GT(lines.size(), 10u);
    const std::size_t columns = fieldCount(lines[9]);
    std::size_t i = 10;
    for (; i < lines.size() && !lines[i].empty(); ++i) {
        const std::size_t n = fieldCount(lines[i]);
        if (monthly && n == 1)
            continue; // a date without a stored day
        EXPECT_EQ(n, columns) << "line " << i + 1;
    }
    ASSERT_LT(i + 1, lines.size());
    EXPECT_EQ(sjis::toUtf8(lines[i + 1]), "集計データ");
    for (++i; ++i < lines.size();)
        EXPECT_GE(fieldCount(lines[i]), 2u) << "summary line " << i + 1;
}

TEST(CsvReportTest, DailyThreeWireMatchesGolden) {
    auto r = csvfix::daily3p3w();
    const std::string bytes = render(r->sel);
    EXPECT_EQ(sjis::toUtf8(bytes), sjis::toUtf8(golden("daily_3p3w.CSV")));
    EXPECT_EQ(bytes, golden("daily_3p3w.CSV"));
    checkWellFormed(bytes, false);
    EXPECT_EQ(fieldCount(splitLines(bytes)[9]), 7u); // 時間 電力 力率 電圧1 電圧3 電流1 電流3
}

TEST(CsvReportTest, DailyWithReverseMatchesGolden) {
    auto r = csvfix::dailyReverse();
    const std::string bytes = render(r->sel);
    EXPECT_EQ(sjis::toUtf8(bytes), sjis::toUtf8(golden("daily_reverse.CSV")));
    EXPECT_EQ(bytes, golden("daily_reverse.CSV"));
    checkWellFormed(bytes, false);
    EXPECT_EQ(fieldCount(splitLines(bytes)[9]), 8u);
}

TEST(CsvReportTest, DailyFourWireMatchesGolden) {
    auto r = csvfix::daily3p4w();
    const std::string bytes = render(r->sel);
    EXPECT_EQ(sjis::toUtf8(bytes), sjis::toUtf8(golden("daily_3p4w.CSV")));
    EXPECT_EQ(bytes, golden("daily_3p4w.CSV"));
    checkWellFormed(bytes, false);
    EXPECT_EQ(fieldCount(splitLines(bytes)[9]), 9u);
}

TEST(CsvReportTest, MonthlyStartDay21MatchesGolden) {
    auto r = csvfix::monthlyStart21();
    const std::string bytes = render(r->sel, 21);
    EXPECT_EQ(sjis::toUtf8(bytes), sjis::toUtf8(golden("monthly_start21.CSV")));
    EXPECT_EQ(bytes, golden("monthly_start21.CSV"));
    checkWellFormed(bytes, true);
}

TEST(CsvReportTest, MonthlyWithoutDocumentSummaryComputesIt) {
    auto r = csvfix::monthlyStart21(false);
    EXPECT_EQ(render(r->sel, 21), golden("monthly_start21.CSV"));
}

TEST(CsvReportTest, MonthlyHasOneLinePerDateOfTheWindow) {
    auto r = csvfix::monthlyStart21();
    struct Case {
        int year, month, startDay;
        std::size_t dates;
    };
    const Case cases[] = {
        {2007, 2, 1, 28}, {2006, 12, 21, 31}, {2007, 1, 21, 31}, {2007, 4, 31, 0}};
    for (const Case& c : cases) {
        r->sel.year = c.year;
        r->sel.month = c.month;
        r->sel.monthSummary = nullptr;
        const std::vector<std::string> lines = splitLines(render(r->sel, c.startDay));
        std::size_t n = 0;
        for (std::size_t i = 10; i < lines.size() && !lines[i].empty(); ++i)
            ++n;
        EXPECT_EQ(n, c.dates) << c.year << "-" << c.month << " from " << c.startDay;
    }
}

TEST(CsvReportTest, FileNamePresets) {
    auto daily = csvfix::daily3p4w();
    EXPECT_EQ(sjis::toUtf8(csvFileNamePreset(daily->sel)), "日報_ABC工業_受電盤_20070106_2.CSV");
    auto monthly = csvfix::monthlyStart21();
    EXPECT_EQ(sjis::toUtf8(csvFileNamePreset(monthly->sel)),
              "月報_テスト需要家_高圧受電_2006_12_1.CSV");
    EXPECT_EQ(csvFileNamePreset(DisplaySelection()), "");
}

// The fields of a CSV line as a spreadsheet reads the file as written (RFC 4180, blanks kept:
// a quote opens a quoted field only as the field's first byte).
std::vector<std::string> spreadsheetFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    bool fieldStart = true;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"' && fieldStart) {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
            fieldStart = true;
            continue;
        } else {
            fields.back() += c;
        }
        fieldStart = false;
    }
    return fields;
}

// A name a spreadsheet would take as a formula (or that would split the line into cells) is
// written as one quoted field starting with an apostrophe, its quote right after the comma so
// that a spreadsheet takes it as one field; every ordinary name byte for byte.
TEST(CsvReportTest, NamesThatLookLikeFormulasAreGuarded) {
    struct Case {
        std::string name;
        std::string field;
    } cases[] = {
        {"K,=HYPERLINK(\"http://x\")", "\"'K,=HYPERLINK(\"\"http://x\"\")\""},
        {"=1+2", "\"'=1+2\""},
        {"+A", "\"'+A\""},
        {"-A", "\"'-A\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\tA", "\"'\tA\""},
        {"\rA", "\"'\rA\""},
        {"say \"hi\"", "\"'say \"\"hi\"\"\""},
        {"A-1", "A-1"},
        {"A=B", "A=B"},
        {sj("東京工場"), sj("東京工場")},
    };
    for (bool monthly : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((monthly ? "monthly " : "daily ") + c.name);
            auto r = monthly ? csvfix::monthlyStart21() : csvfix::daily3p3w();
            r->sel.customerName = c.name;
            r->sel.circuitName = c.name;
            const std::vector<std::string> lines = splitLines(render(r->sel));
            ASSERT_GT(lines.size(), 3u);
            const bool guarded = c.field.front() == '"';
            const std::string separator = guarded ? "," : ", ";
            EXPECT_EQ(lines[1], sj("需要家名称") + separator + c.field);
            EXPECT_EQ(lines[2], sj("測定回路名称") + separator + c.field);
            // One field after the label, holding the name (behind the apostrophe when guarded).
            for (std::size_t line : {std::size_t{1}, std::size_t{2}}) {
                const std::vector<std::string> fields = spreadsheetFields(lines[line]);
                ASSERT_EQ(fields.size(), 2u) << lines[line];
                EXPECT_EQ(fields[1], guarded ? "'" + c.name : " " + c.name);
            }
        }
    }
}

TEST(CsvReportTest, FileNamePresetNeverHoldsAPathSeparator) {
    auto daily = csvfix::daily3p4w();
    daily->sel.customerName = "../../evil";
    daily->sel.circuitName = "a\\b";
    EXPECT_EQ(csvFileNamePreset(daily->sel), sj("日報_.._.._evil_a_b_20070106_2.CSV"));
}

// A prompt that records, a program log in a folder of its own, no real waiting.
struct Env {
    ScriptedPrompt prompt;
    LogFile logFile;
    TempFolder logFolder;
    const std::filesystem::path& logDir = logFolder.path();
    int opens = 0;
    int pauses = 0;
    CsvOutputEnv env;
    Env() {
        logFile.OpenLog((logDir / "ORVO").string(), 7, 4, 10000, 5242880);
        env.monthStartDay = 21;
        env.prompt = &prompt;
        env.log = &logFile;
        env.retry.sleep = [this](std::chrono::milliseconds) { ++pauses; };
    }
    // Everything the program log received.
    std::string log() const { return folderBytes(logDir); }
};

TEST(CsvReportTest, NothingSelectedWritesNothing) {
    Env e;
    e.env.open = [&](const std::string&) -> std::unique_ptr<ReportSink> {
        ++e.opens;
        return std::make_unique<StringSink>();
    };
    EXPECT_FALSE(WriteReportCsv("x.CSV", DisplaySelection(), e.env));
    auto r = csvfix::daily3p3w();
    r->sel.dayIndex = -1;
    EXPECT_FALSE(WriteReportCsv("x.CSV", r->sel, e.env));
    EXPECT_EQ(e.opens, 0);
    EXPECT_TRUE(e.prompt.asked().empty());
}

TEST(CsvReportTest, FullDiskIsReportedAndKeepsWhatWasWritten) {
    Env e;
    MemorySink kept;
    e.env.open = [&](const std::string&) -> std::unique_ptr<ReportSink> {
        return std::make_unique<FailAfterSink>(kept, 500);
    };
    auto r = csvfix::daily3p3w();
    EXPECT_FALSE(WriteReportCsv("x.CSV", r->sel, e.env));
    EXPECT_EQ(kept.bytes(), golden("daily_3p3w.CSV").substr(0, 500));
    ASSERT_EQ(e.prompt.asked().size(), 1u);
    const std::string shown = sjis::toUtf8(e.prompt.asked()[0].text);
    EXPECT_EQ(shown.rfind("ﾌｧｲﾙｱｸｾｽ異常\nNo space left on device\nD_TxtOut(", 0), 0u) << shown;
    EXPECT_EQ(shown.back(), ')');
    EXPECT_EQ(e.log(), ""); // only program exceptions go to the log
}

TEST(CsvReportTest, OpenErrorIsLoggedAndShown) {
    Env e;
    e.env.open = [](const std::string& path) -> std::unique_ptr<ReportSink> {
        throw CxException(0, "OpenError\n%s", path.c_str());
    };
    auto r = csvfix::daily3p3w();
    EXPECT_FALSE(WriteReportCsv("/no/such/x.CSV", r->sel, e.env));
    EXPECT_NE(e.log().find("OpenError"), std::string::npos);
    EXPECT_NE(e.log().find("/no/such/x.CSV"), std::string::npos);
    ASSERT_EQ(e.prompt.asked().size(), 1u);
    EXPECT_EQ(e.prompt.asked()[0].text, "OpenError\n/no/such/x.CSV");
    EXPECT_EQ(e.prompt.asked()[0].icon, PromptIcon::Warning);
}

// Each failure kind gets its heading; texts are cut to fit the report's 100-byte buffer.
TEST(CsvReportTest, FailureKindsHaveTheirHeadings) {
    struct Throwing : ReportSink {
        int kind;
        explicit Throwing(int k) : kind(k) {}
        void write(std::string_view) override {
            switch (kind) {
            case 0:
                throw std::bad_alloc();
            case 1:
                throw FileAccessError(std::string(150, 'x'));
            case 2:
                throw ArchiveError("bad archive");
            case 3:
                throw std::runtime_error("strange");
            default:
                throw CxException(); // a signal, not an error: nothing to report
            }
        }
    };
    const char* headings[] = {"メモリ不足", "ﾌｧｲﾙｱｸｾｽ異常", "ｱｰｶｲﾌﾞ異常", "例外発生"};
    auto r = csvfix::dailyReverse();
    for (int kind = 0; kind < 5; ++kind) {
        Env e;
        e.env.open = [kind](const std::string&) -> std::unique_ptr<ReportSink> {
            return std::make_unique<Throwing>(kind);
        };
        EXPECT_FALSE(WriteReportCsv("x.CSV", r->sel, e.env));
        EXPECT_EQ(e.log(), "");
        if (kind == 4) {
            EXPECT_TRUE(e.prompt.asked().empty());
            continue;
        }
        ASSERT_EQ(e.prompt.asked().size(), 1u) << kind;
        const std::string shown = sjis::toUtf8(e.prompt.asked()[0].text);
        EXPECT_EQ(shown.rfind(std::string(headings[kind]) + "\n", 0), 0u) << shown;
        EXPECT_NE(shown.find("\nD_TxtOut("), std::string::npos) << shown;
        if (kind == 1) {
            EXPECT_NE(shown.find("\n" + std::string(99, 'x') + "\n"), std::string::npos);
        }
    }
}

class CsvFileTest : public ::testing::Test {
protected:
    TempFolder m_folder;
    const std::filesystem::path& m_dir = m_folder.path();
};

// Names of 256 characters (accepted by old files) make a name longer than a file system takes:
// the name keeps its start and its date, channel and extension, and the file is written.
TEST_F(CsvFileTest, VeryLongNamesMakeAFileNameThatCanBeWritten) {
    std::string customer;
    for (int i = 0; i < 256; ++i)
        customer += i % 2 ? "工" : "A";
    Env e;
    auto r = csvfix::daily3p4w();
    r->sel.customerName = sj(customer);
    r->sel.circuitName = sj("受電盤");
    const std::string name = sjis::toUtf8(csvFileNamePreset(r->sel));
    EXPECT_LE(name.size(), kFileNameMaxBytes);
    EXPECT_GT(name.size(), kFileNameMaxBytes - 5);
    EXPECT_EQ(name.rfind("日報_A工A工", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 15), "_20070106_2.CSV");
    EXPECT_TRUE(WriteReportCsv(m_dir / name, r->sel, e.env));
    EXPECT_TRUE(e.prompt.asked().empty());
    EXPECT_TRUE(std::filesystem::exists(m_dir / name));
}

TEST_F(CsvFileTest, WritesTheFileAndReplacesAnOldOne) {
    Env e;
    auto r = csvfix::monthlyStart21();
    const std::string name = csvFileNamePreset(r->sel);
    const std::filesystem::path path = m_dir / sjis::toUtf8(name);
    std::ofstream(path) << std::string(5000, 'z'); // longer than the report
    EXPECT_TRUE(WriteReportCsv(path, r->sel, e.env));
    EXPECT_EQ(fileBytes(path), golden("monthly_start21.CSV"));
    EXPECT_TRUE(e.prompt.asked().empty());
}

// A report that stops half-way (here: a failure after the first lines) never takes the name:
// the file that was there stays whole, and a new name stays free.
TEST_F(CsvFileTest, AReportThatFailsHalfWayLeavesTheOldFile) {
    for (bool existed : {true, false}) {
        SCOPED_TRACE(existed ? "old file" : "no file");
        Env e;
        auto r = csvfix::daily3p3w();
        const std::filesystem::path path = m_dir / (existed ? "old.CSV" : "new.CSV");
        if (existed)
            std::ofstream(path) << "previous report";
        struct FailAfterLines : ReportSink {
            std::unique_ptr<ReportSink> file;
            int lines = 0;
            void write(std::string_view b) override {
                if (++lines > 3)
                    throw std::runtime_error("stopped");
                file->write(b);
            }
        };
        e.env.open = [&](const std::string& p) -> std::unique_ptr<ReportSink> {
            auto sink = std::make_unique<FailAfterLines>();
            sink->file = openReportFile(p, e.env.retry);
            return sink;
        };
        EXPECT_FALSE(WriteReportCsv(path.string(), r->sel, e.env));
        if (existed)
            EXPECT_EQ(fileBytes(path), "previous report");
        else
            EXPECT_FALSE(std::filesystem::exists(path));
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos); // none left
        ASSERT_EQ(e.prompt.asked().size(), 1u);
        EXPECT_EQ(sjis::toUtf8(e.prompt.asked()[0].text).rfind("例外発生\nstopped\nD_TxtOut(", 0),
                  0u);
    }
}

TEST_F(CsvFileTest, MissingFolderFailsAtOnce) {
    Env e;
    auto r = csvfix::daily3p3w();
    const std::string path = (m_dir / "missing" / "x.CSV").string();
    EXPECT_FALSE(WriteReportCsv(path, r->sel, e.env));
    EXPECT_NE(e.log().find(path), std::string::npos);
    ASSERT_EQ(e.prompt.asked().size(), 1u);
    // The program's text, then why and which folder.
    EXPECT_EQ(e.prompt.asked()[0].text, "OpenError\n" + path + "\n" +
                                            sj("フォルダが存在しません。\nフォルダ：") +
                                            (m_dir / "missing").string());
    EXPECT_EQ(e.pauses, 0); // no retry when the folder is missing
    EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
}

TEST_F(CsvFileTest, LockedFileIsRetriedForSixtySeconds) {
    Env e;
    auto r = csvfix::daily3p3w();
    const std::string path = (m_dir / "locked.CSV").string();
    // The other program writes a file that is there (a new name holds nothing to lock until
    // its writer commits).
    { std::ofstream(path) << "old"; }
    OpenResult holder = openWithRetry(path, OpenAccess::WriteExclusive);
    ASSERT_TRUE(holder);
    holder.file.write("kept");
    EXPECT_FALSE(WriteReportCsv(path, r->sel, e.env));
    EXPECT_EQ(e.pauses, 300); // every 200 ms until 60000 ms have passed
    ASSERT_EQ(e.prompt.asked().size(), 1u);
    EXPECT_EQ(e.prompt.asked()[0].text,
              "OpenError\n" + path + "\n" +
                  sj("他のプログラムが使用中です。そのプログラムを閉じてからやり直してください。"));
    holder.file.close();
    EXPECT_EQ(fileBytes(path), "kept"); // the other program's file is untouched
}

// A write cut short (a kill) leaves nothing under the final name; the temporary that a dead
// process left is removed by the next write into the folder.
TEST_F(CsvFileTest, AnUnfinishedWriteLeavesNoPlaceholderAndStaleTemporariesGo) {
    const std::string path = (m_dir / "new.CSV").string();
    {
        OpenResult open = openWithRetry(path, OpenAccess::WriteExclusive);
        ASSERT_TRUE(open);
        open.file.write("half");
        EXPECT_FALSE(std::filesystem::exists(path)) << "no placeholder while it is written";
    } // destroyed without close(): as if killed
    EXPECT_FALSE(std::filesystem::exists(path));

    // A temporary of another name whose writer (pid 1 is never ours, a high free one is dead)
    // has ended.
    pid_t dead = 4194303;
    while (::kill(dead, 0) == 0 || errno != ESRCH)
        --dead;
    const auto stale = m_dir / ("other.CSV.tmp" + std::to_string(dead) + "_0");
    { std::ofstream(stale) << std::string(1000, 'x'); }
    Env e;
    auto r = csvfix::daily3p3w();
    ASSERT_TRUE(WriteReportCsv(path, r->sel, e.env));
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(path));
}

} // namespace
