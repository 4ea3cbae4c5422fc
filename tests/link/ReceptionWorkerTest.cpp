#include "link/ReceptionWorker.h"
#include "FiveDayReport.h"
#include "PtyPair.h"
#include "SampleReport.h"
#include "common/Cp932.h"
#include "common/FileBytes.h"
#include "link/ReceptionCapture.h"
#include "link/ReportParser.h"
#include "link/ReportText.h"
#include "support/LogFile.h"
#include "support/Sjis.h"
#include "tools/reportgen/ReportGenerator.h"
#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <sstream>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using sample::u;
constexpr int kPort = 4;

// Collects notices from the worker thread; the test thread waits for texts.
class NoticeLog : public ReceptionNoticeSink {
public:
    void onReceptionNotice(ReceptionNotice notice) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_notices.push_back(std::move(notice));
        m_changed.notify_all();
    }
    bool waitFor(const std::string& text, std::chrono::seconds limit = std::chrono::seconds(20)) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] {
            return std::any_of(m_notices.begin(), m_notices.end(),
                               [&](const ReceptionNotice& n) { return n.text == text; });
        });
    }
    std::vector<ReceptionNotice> notices() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_notices;
    }
    // Texts shown in the status line, in order.
    std::vector<std::string> statusTexts() const {
        std::vector<std::string> out;
        for (const ReceptionNotice& n : notices())
            if (n.showInStatus)
                out.push_back(n.text);
        return out;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const ReceptionNotice& n : notices())
            if (n.code == ReceptionNotice::LogAndAddLine)
                out.push_back(n.text);
        return out;
    }
    int lastCode() const {
        auto all = notices();
        return all.empty() ? 0 : all.back().code;
    }
    std::size_t count(int code, bool status) const {
        auto all = notices();
        return std::count_if(all.begin(), all.end(), [&](const ReceptionNotice& n) {
            return n.code == code && n.showInStatus == status;
        });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<ReceptionNotice> m_notices;
};

MeasurementCircuit parsed(const std::string& text) {
    MeasurementCircuit days;
    ParseContext context(days);
    parseReportText(context, text);
    return days;
}

ReceptionRequest fastSerial() {
    ReceptionRequest request;
    request.port.portNumber = kPort;
    request.timings.settle = std::chrono::milliseconds(20);
    request.timings.interByteMs = 1000; // generous: a starved writer must not look silent
    request.timings.endPause = std::chrono::milliseconds(0);
    return request;
}

// A serial reception against a pseudo-terminal; the recorder side is driven by the test.
struct SerialRun {
    SerialRun() : worker(port, sink, &log) {
        std::string path = pty.slavePath();
        port.setDeviceLookup([path](int n) { return n == kPort ? path : std::string(); });
        folder = fs::path(::testing::TempDir()) /
                 ("reception_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        log.OpenLog((folder / "ORVO").string(), 7, 4, 10000, 0x500000);
    }
    // Starts the worker and waits until it listens.
    void start(const ReceptionRequest& request = fastSerial()) {
        worker.start(request);
        ASSERT_TRUE(sink.waitFor(u("機器からのデータ送信待ち")));
    }
    // Joins with a generous watchdog against hangs.
    bool finish(std::chrono::seconds limit = std::chrono::seconds(30)) {
        auto joined = std::async(std::launch::async, [this] { worker.join(); });
        if (joined.wait_for(limit) != std::future_status::ready) {
            worker.requestStop();
            joined.wait();
            return false;
        }
        return true;
    }
    std::string programLog() const { return folderBytes(folder); }

    PtyPair pty;
    SerialPort port;
    NoticeLog sink;
    LogFile log;
    fs::path folder;
    ReceptionWorker worker;
};

TEST(SampleReport, ParsesIntoTwoChannelsPerDay) {
    MeasurementCircuit days = parsed(sample::report(2, 6));
    ASSERT_EQ(days.days.count(), 4);
    EXPECT_EQ(days.days.at(0).data.intervals.count(), 6);
    EXPECT_GT(days.days.at(0).data.summary.maxDemand.value, 0.0);
}

TEST(SerialReception, PacedReportIsReceivedCompletely) {
    ReportGenOptions options;
    options.days = 2;
    options.channel1 = true;
    options.channel2 = true;
    options.lineEnd = "\n"; // what the recorder sends down the line
    ReportGenerator generator(options);
    const std::string report = generator.generate();

    SerialRun run;
    run.start();
    run.pty.writePaced(report, 38400);
    ASSERT_TRUE(run.finish());

    EXPECT_EQ(run.worker.result(), ReceptionResult::Success);
    EXPECT_EQ(run.sink.lastCode(), ReceptionNotice::Succeeded);
    EXPECT_TRUE(run.sink.messages().empty());
    std::vector<std::string> expectedStatus = {
        u("シリアルポートオープン"), u("機器からのデータ送信待ち"), u("受信処理中..."),
        u("シリアルポートクローズ"), u("後処理中...しばらくお待ちください")};
    EXPECT_EQ(run.sink.statusTexts(), expectedStatus);
    MeasurementCircuit days = run.worker.takeDays();
    EXPECT_EQ(days.days.count(), 4);
    EXPECT_TRUE(days == parsed(report));
    EXPECT_TRUE(days == generator.expectedDays());
    EXPECT_FALSE(run.port.isOpen());
}

TEST(SerialReception, SilenceAfterTheLastClosedBlockIsANormalEnd) {
    SerialRun run;
    run.start();
    // A closed block of channel 1, then the recorder falls silent for good (port stays open).
    const std::string text = sample::intervalBlock(1, 5, 4) + "trailing page text\n";
    run.pty.write(text);
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Success);
    MeasurementCircuit days = run.worker.takeDays();
    ASSERT_EQ(days.days.count(), 1);
    EXPECT_EQ(days.days.at(0).data.intervals.count(), 4);
}

// What a cut reception tells: the reason, the days kept, the day cut off and the capture.
std::string cutMessage(const char* reason, int kept, const char* cutDay, const std::string& file,
                       bool capture = true) {
    std::string text = u(reason) + " ";
    text += kept > 0 ? u("完全に届いた測定データは ") + std::to_string(kept) + u(" 件です。")
                     : u("完全に届いた測定データはありません。");
    if (cutDay)
        text += u(" 途中で切れた ") + cutDay + u(" は取り込みません。");
    if (!file.empty())
        text += u(capture ? " 受信ファイル：" : " ファイル：") + file;
    return text;
}
const char kSilence[] = "記録計からの送信が測定データの途中で途切れました。";
const char kReadError[] = "測定データの受信中にシリアルポートから読めなくなりました"
                          "（ケーブルや変換器が外れた可能性があります）。";
const char kFileEnd[] = "ファイルが測定データの途中で終わっています。";

struct CutBlockCase {
    const char* name;
    std::string tail; // what follows a closed block
    bool hangUp;
    const char* reason;
};

// Silence or a vanished device inside a block: the days whose blocks arrived whole are handed
// over, the cut day is not, and the message says why and where the bytes are.
TEST(SerialReception, CutInsideABlockHandsOverTheWholeDays) {
    const std::string closed = sample::intervalBlock(1, 5, 4) + sample::summaryBlock(1, 5) + "\n";
    const CutBlockCase cases[] = {
        {"silence", sample::intervalBlock(2, 5, 3, false), false, kSilence},
        {"hang-up", sample::intervalBlock(2, 5, 3, false), true, kReadError},
        {"silence inside a line", sample::intervalBlock(2, 5, 3, false) + "04:00 12", false,
         kSilence},
        {"silence inside the summary",
         sample::intervalBlock(2, 5, 3) + "\n" + sample::summaryBlock(2, 5).substr(0, 300), false,
         kSilence},
    };
    for (const CutBlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        SerialRun run;
        ReceptionRequest request = fastSerial();
        request.captureFolder = (run.folder / "RECEIVED").string();
        run.start(request);
        run.pty.write(closed + c.tail);
        if (c.hangUp) {
            // Hang up once the worker has the last line of the broken block.
            std::string tail = c.tail.substr(0, c.tail.size() - 1);
            ASSERT_TRUE(run.sink.waitFor(tail.substr(tail.rfind('\n') + 1)));
            run.pty.releaseKeeper();
            run.pty.closeMaster();
        }
        ASSERT_TRUE(run.finish());
        EXPECT_EQ(run.worker.result(), ReceptionResult::Interrupted);
        auto files = ReceptionCapture::captureFiles(request.captureFolder);
        ASSERT_EQ(files.size(), 1u);
        const std::string message = cutMessage(c.reason, 1, "2ch 2024/03/05",
                                               (run.folder / "RECEIVED" / files[0]).string());
        EXPECT_EQ(run.sink.messages(), std::vector<std::string>{message});
        EXPECT_EQ(run.worker.cutNotice(), message);
        // The dialog closes with OK; the message went to the program log before.
        EXPECT_EQ(run.sink.lastCode(), ReceptionNotice::Succeeded);
        EXPECT_NE(run.programLog().find(message), std::string::npos);
        ReceptionHandover handover = run.worker.takeHandover();
        EXPECT_TRUE(handover.interrupted);
        EXPECT_EQ(handover.notice, message);
        EXPECT_TRUE(handover.days == parsed(closed));
    }
}

// A line over 1000 bytes is garbage on the line, not an end: it still fails.
TEST(SerialReception, OverlongLineInsideABlockFailsAndHandsOverNothing) {
    SerialRun run;
    run.start();
    run.pty.write(sample::intervalBlock(1, 5, 4) + sample::header(2, 5) + std::string(1000, '7'));
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Failure);
    EXPECT_EQ(run.sink.messages(), std::vector<std::string>{u("通信異常 [-3]")});
    EXPECT_EQ(run.sink.lastCode(), ReceptionNotice::Failed);
    EXPECT_EQ(run.worker.takeDays().days.count(), 0);
    EXPECT_NE(run.programLog().find(u("通信異常 [-3]")), std::string::npos);
    // No "後処理中" after a failure.
    auto status = run.sink.statusTexts();
    EXPECT_EQ(std::count(status.begin(), status.end(), u("後処理中...しばらくお待ちください")), 0);
}

// A recorder cut inside the third of five days (the cable pulled out) hands over the first
// two; cut inside the first (the recorder fell silent) it hands over nothing and says so.
TEST(SerialReception, RecorderCutInsideADayHandsOverTheDaysBefore) {
    const FiveDayReport report;
    ASSERT_EQ(report.pieces.size(), 6u);
    struct Case {
        const char* name;
        int cutDay;
        bool hangUp;
        const char* reason;
        const char* cutText;
    } cases[] = {
        {"inside the third, pulled out", 3, true, kReadError, "1ch 2024/03/03"},
        {"inside the first, silent", 1, false, kSilence, "1ch 2024/03/01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SerialRun run;
        ReceptionRequest request = fastSerial();
        request.captureFolder = (run.folder / "RECEIVED").string();
        run.start(request);
        const std::string sent = report.cutInside(c.cutDay);
        run.pty.writePaced(sent, 115200);
        if (c.hangUp) {
            const std::string lines = sent.substr(0, sent.rfind('\n'));
            ASSERT_TRUE(run.sink.waitFor(lines.substr(lines.rfind('\n') + 1)));
            run.pty.releaseKeeper();
            run.pty.closeMaster();
        }
        ASSERT_TRUE(run.finish());
        EXPECT_EQ(run.worker.result(), ReceptionResult::Interrupted);
        auto files = ReceptionCapture::captureFiles(request.captureFolder);
        ASSERT_EQ(files.size(), 1u);
        const fs::path capture = run.folder / "RECEIVED" / files[0];
        EXPECT_EQ(run.worker.cutNotice(),
                  cutMessage(c.reason, c.cutDay - 1, c.cutText, capture.string()));
        EXPECT_TRUE(run.worker.takeDays() == report.firstDays(c.cutDay - 1));
        // The capture imports the same days, cut the same way.
        ReceptionRequest again;
        again.fromFile = true;
        again.filePath = capture.string();
        again.timings.endPause = std::chrono::milliseconds(0);
        ReceptionOutcome out = runReception(again);
        EXPECT_EQ(out.result, ReceptionResult::Interrupted);
        EXPECT_TRUE(out.days == report.firstDays(c.cutDay - 1));
        EXPECT_EQ(out.cutNotice,
                  cutMessage(kFileEnd, c.cutDay - 1, c.cutText, capture.string(), false));
    }
}

// A recorder that keeps sending after a cancel: what waits in the port when the next reception
// starts is kept in its capture but never parsed, and the summary of a day whose listing went by
// before is no day. Only what the recorder sends afresh is handed over.
TEST(SerialReception, TailOfACancelledReportDoesNotPoisonTheNext) {
    const FiveDayReport old;
    const auto& p = old.pieces;
    // The second day's summary block starts at its second header line.
    const std::size_t header2 = p[2].find(u("ＣＨ"), 1);
    ASSERT_NE(header2, std::string::npos);
    SerialRun run;
    ReceptionRequest request = fastSerial();
    request.captureFolder = (run.folder / "RECEIVED").string();
    request.timings.interByteMs = 60000; // only the stop ends the first
    run.start(request);
    run.pty.write(p[0] + p[1] + p[2].substr(0, 200));
    ASSERT_TRUE(run.sink.waitFor(u("受信処理中...")));
    run.worker.stop();
    ASSERT_EQ(run.worker.result(), ReceptionResult::Cancelled);

    // The recorder goes on with the rest of its second and third days into the closed port.
    const std::string stale = p[2].substr(200) + p[3];
    run.pty.write(stale);
    NoticeLog second;
    ReceptionWorker next(run.port, second, &run.log);
    request.timings.interByteMs = 1000;
    next.start(request);
    ASSERT_TRUE(second.waitFor(u("機器からのデータ送信待ち")));
    // Then the tail of its fourth day's listing and that day's summary, then the user sends
    // afresh: a fifth day.
    const std::size_t header4 = p[4].find(u("ＣＨ"), 1);
    const std::string live =
        p[4].substr(p[4].size() / 8, header4 - p[4].size() / 8) + p[4].substr(header4) + p[5];
    run.pty.write(live);
    next.join();
    EXPECT_EQ(next.result(), ReceptionResult::Success);
    MeasurementCircuit days = next.takeDays();
    MeasurementCircuit fifth;
    fifth.addOrReplaceDay(old.expected.days.at(4));
    EXPECT_TRUE(days == fifth) << days.days.count() << " days";
    std::vector<std::string> lines;
    for (const ReceptionNotice& n : second.notices())
        lines.push_back(n.text);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        u("受信開始前に届いていた ") + std::to_string(stale.size()) +
                            u(" バイトは読み捨てました（受信ファイルには残しています）")),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        u("測定値の一覧が届いていない 1ch 2024/03/04 の集計は取り込みません")),
              lines.end());
    // The second capture holds the stale bytes too, in the order they came.
    auto files = ReceptionCapture::captureFiles(request.captureFolder);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(fileBytes(run.folder / "RECEIVED" / files[1]), stale + live);
}

// A device that disappears while the reception waits for the recorder (a USB adapter pulled
// out: read error before any line) is a failure, not a reception without days.
TEST(SerialReception, DeviceGoneBeforeTheFirstLineIsAFailure) {
    SerialRun run;
    run.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    run.pty.releaseKeeper();
    run.pty.closeMaster();
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Failure);
    EXPECT_EQ(run.sink.messages(), std::vector<std::string>{u("通信異常 [-1]")});
    EXPECT_EQ(run.sink.lastCode(), ReceptionNotice::Failed);
}

// Line noise: a zero byte and garbage after the date of a header line.
std::string blockWithNoisyHeader(int channel, int day) {
    std::string block = sample::intervalBlock(channel, day, 3);
    block.insert(block.find('\n'), std::string("\0\x81\xff?", 4));
    return block;
}

TEST(SerialReception, ZeroByteEndsTheLineText) {
    SerialRun run;
    run.start();
    run.pty.write(blockWithNoisyHeader(1, 5));
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Success);
    EXPECT_TRUE(run.sink.messages().empty());
    MeasurementCircuit days = run.worker.takeDays();
    EXPECT_TRUE(days == parsed(sample::intervalBlock(1, 5, 3)));
    EXPECT_EQ(days.days.count(), 1);
}

TEST(SerialReception, StopDuringTheFirstWaitReturnsPromptlyAsCancel) {
    SerialRun run;
    ReceptionRequest request = fastSerial();
    request.timings.interByteMs = 3000;
    run.start(request);
    // The port waits without limit for the recorder; only the stop can end this.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(run.worker.running());
    run.worker.requestStop();
    ASSERT_TRUE(run.finish(std::chrono::seconds(5)));
    EXPECT_EQ(run.worker.result(), ReceptionResult::Cancelled);
    EXPECT_TRUE(run.sink.messages().empty());
    EXPECT_EQ(run.sink.lastCode(), ReceptionNotice::Succeeded);
    EXPECT_EQ(run.worker.takeDays().days.count(), 0);
    EXPECT_FALSE(run.worker.running());
}

TEST(SerialReception, StopInsideABlockIsACancelNotACommunicationError) {
    SerialRun run;
    ReceptionRequest request = fastSerial();
    request.timings.interByteMs = 60000;
    run.start(request);
    run.pty.write(sample::intervalBlock(1, 5, 4) + sample::intervalBlock(2, 5, 2, false));
    ASSERT_TRUE(run.sink.waitFor(u("受信処理中...")));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    run.worker.stop();
    EXPECT_EQ(run.worker.result(), ReceptionResult::Cancelled);
    EXPECT_TRUE(run.sink.messages().empty());
    EXPECT_EQ(run.worker.takeDays().days.count(), 0);
}

TEST(SerialReception, PortHeldByAnotherOpenerIsRefused) {
    SerialRun run;
    SerialPort other;
    std::string path = run.pty.slavePath();
    other.setDeviceLookup([path](int) { return path; });
    other.Configure(kPort, 38400, 8, 0, 0, 1);
    ASSERT_TRUE(other.Open());
    run.worker.start(fastSerial());
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Failure);
    std::string expected =
        u("シリアルポートのオープンに失敗,") + SerialPort::FormatSystemError(EACCES);
    EXPECT_EQ(run.sink.messages(), std::vector<std::string>{expected});
}

TEST(SerialReception, PortWithoutDeviceFailsWithNotFound) {
    SerialRun run;
    ReceptionRequest request = fastSerial();
    request.port.portNumber = 9;
    run.worker.start(request);
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Failure);
    std::string expected =
        u("シリアルポートのオープンに失敗,") + SerialPort::FormatSystemError(ENOENT);
    EXPECT_EQ(run.sink.messages(), std::vector<std::string>{expected});
    EXPECT_EQ(run.sink.lastCode(), ReceptionNotice::Failed);
}

TEST(SerialReception, ShowLinesOffPostsOnlyStatusTexts) {
    for (bool show : {true, false}) {
        SerialRun run;
        run.worker.setShowLines(show);
        run.start();
        run.pty.write(sample::intervalBlock(1, 5, 4));
        ASSERT_TRUE(run.finish());
        EXPECT_EQ(run.worker.result(), ReceptionResult::Success);
        // header, column line, four intervals, the empty line
        EXPECT_EQ(run.sink.count(ReceptionNotice::AddLine, false), show ? 7u : 0u);
    }
}

TEST(SerialReception, DebugModeOpensNoPortAndWaitsForTheStop) {
    SerialRun run;
    ReceptionRequest request = fastSerial();
    request.debugSerial = true;
    request.port.portNumber = 99; // would fail if it were opened
    run.start(request);
    run.worker.requestStop();
    ASSERT_TRUE(run.finish(std::chrono::seconds(5)));
    EXPECT_EQ(run.worker.result(), ReceptionResult::Cancelled);
    EXPECT_TRUE(run.sink.messages().empty());
}

// Every serial reception keeps the bytes it received, whatever its end; a capture reads back
// as a file import into the same days, and a cut one is cut the same way.
TEST(SerialReception, CaptureHoldsTheBytesReceivedWhateverTheEnd) {
    const std::string closed = sample::intervalBlock(1, 5, 4) + sample::summaryBlock(1, 5) + "\n";
    struct Case {
        const char* name;
        std::string sent;
        ReceptionResult result;
    } cases[] = {
        {"normal end", "\r\n" + closed, ReceptionResult::Success},
        {"cut-off block", closed + sample::intervalBlock(2, 5, 3, false) + "12:00 1",
         ReceptionResult::Interrupted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SerialRun run;
        ReceptionRequest request = fastSerial();
        request.captureFolder = (run.folder / "RECEIVED").string();
        run.start(request);
        run.pty.write(c.sent);
        ASSERT_TRUE(run.finish());
        EXPECT_EQ(run.worker.result(), c.result);
        auto files = ReceptionCapture::captureFiles(request.captureFolder);
        ASSERT_EQ(files.size(), 1u);
        const fs::path capture = fs::path(request.captureFolder) / files[0];
        EXPECT_EQ(fileBytes(capture), c.sent); // also the cut-off line without its LF
        ReceptionRequest again;
        again.fromFile = true;
        again.filePath = capture.string();
        again.timings.endPause = std::chrono::milliseconds(0);
        ReceptionOutcome out = runReception(again);
        EXPECT_EQ(out.result, c.result);
        EXPECT_TRUE(out.days == parsed(closed));
        EXPECT_TRUE(out.days == run.worker.takeDays());
        if (c.result == ReceptionResult::Interrupted) {
            EXPECT_EQ(out.cutNotice,
                      cutMessage(kFileEnd, 1, "2ch 2024/03/05", capture.string(), false));
        }
    }
}

TEST(SerialReception, NothingReceivedLeavesNoCapture) {
    SerialRun run;
    ReceptionRequest request = fastSerial();
    request.captureFolder = (run.folder / "RECEIVED").string();
    run.start(request);
    run.worker.stop();
    EXPECT_EQ(run.worker.result(), ReceptionResult::Cancelled);
    EXPECT_FALSE(fs::exists(request.captureFolder));
}

TEST(SerialReception, CaptureThatCannotBeWrittenIsReportedOnceAndTheReceptionGoesOn) {
    SerialRun run;
    ReceptionRequest request = fastSerial();
    std::ofstream(run.folder / "blocker") << "x";
    request.captureFolder = (run.folder / "blocker" / "RECEIVED").string();
    run.start(request);
    run.pty.write(sample::intervalBlock(1, 5, 4));
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Success);
    const std::string message = u("受信データの保存に失敗しました:") + request.captureFolder;
    EXPECT_EQ(run.sink.messages(), std::vector<std::string>{message});
    EXPECT_NE(run.programLog().find(message), std::string::npos);
    EXPECT_EQ(run.worker.takeDays().days.count(), 1);
}

TEST(SerialReception, TracePrefixWritesThePortTrace) {
    SerialRun run;
    ReceptionRequest request = fastSerial();
    request.tracePrefix = (run.folder / "COMM_").string();
    run.start(request);
    run.pty.write(sample::intervalBlock(1, 5, 2));
    ASSERT_TRUE(run.finish());
    EXPECT_EQ(run.worker.result(), ReceptionResult::Success);
    std::string trace;
    for (int g = 0; g < 4; ++g)
        trace += fileBytes(run.folder / ("COMM_" + std::to_string(g) + ".LOG"));
    EXPECT_NE(trace.find("port open"), std::string::npos);
    EXPECT_NE(trace.find("**>"), std::string::npos);
    EXPECT_NE(trace.find(" @LF"), std::string::npos);
}

class FileReception : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(::testing::TempDir()) / "reception_files";
        fs::create_directories(folder);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        fs::path p = folder / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    ReceptionRequest request(const std::string& path) {
        ReceptionRequest r;
        r.fromFile = true;
        r.filePath = path;
        r.timings.fileRetryLimit = std::chrono::milliseconds(0);
        r.timings.endPause = std::chrono::milliseconds(0);
        return r;
    }
    fs::path folder;
};

TEST_F(FileReception, ReadsLikeTheSerialPathAndStopsAtCtrlZ) {
    const std::string report = sample::report(2, 12);
    std::string path = write("capture.txt", crlf(report) + "\x1a" + sample::intervalBlock(1, 9, 3));
    ReceptionOutcome out = runReception(request(path));
    EXPECT_EQ(out.result, ReceptionResult::Success);
    EXPECT_TRUE(out.days == parsed(report));
    EXPECT_EQ(out.days.days.count(), 4);
    std::string full = fs::absolute(path).lexically_normal().string();
    ASSERT_GE(out.notices.size(), 3u);
    EXPECT_EQ(out.notices.front().text, u("ファイルオープン:") + full);
    EXPECT_EQ(out.notices[1].text, u("ファイル読み込み中..."));
    EXPECT_EQ(out.notices.back().code, ReceptionNotice::Succeeded);
}

// The pause before each line is for a live port: a captured file is read without it (ten
// years of one-minute data would take hours).
TEST_F(FileReception, FileIsReadWithoutThePortsPausePerLine) {
    const std::string report = sample::report(2, 12);
    ReceptionRequest r = request(write("paced.txt", report));
    r.timings.linePause = std::chrono::minutes(10);
    SerialPort port;
    NoticeLog sink;
    ReceptionWorker worker(port, sink);
    worker.start(r);
    auto joined = std::async(std::launch::async, [&] { worker.join(); });
    const bool ended = joined.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    if (!ended) {
        worker.requestStop();
        joined.wait();
    }
    ASSERT_TRUE(ended) << "the file was read at the port's pace";
    EXPECT_EQ(worker.result(), ReceptionResult::Success);
    EXPECT_TRUE(worker.takeDays() == parsed(report));
}

TEST_F(FileReception, ZeroByteEndsTheLineText) {
    std::string path = write("noisy.txt", crlf(blockWithNoisyHeader(2, 7)));
    ReceptionOutcome out = runReception(request(path));
    EXPECT_EQ(out.result, ReceptionResult::Success);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_TRUE(out.days == parsed(sample::intervalBlock(2, 7, 3)));
    EXPECT_EQ(out.days.days.count(), 1);
}

// A file that ends inside a block is a cut reception: the whole days are handed over with the
// message, the cut one is not.
TEST_F(FileReception, FileEndingInsideABlockHandsOverTheWholeDays) {
    std::string path =
        write("cut.txt", sample::intervalBlock(1, 3, 4) + sample::intervalBlock(2, 3, 4, false));
    ReceptionOutcome out = runReception(request(path));
    EXPECT_EQ(out.result, ReceptionResult::Interrupted);
    ASSERT_EQ(out.days.days.count(), 1);
    EXPECT_EQ(out.days.days.at(0).channel, 1);
    EXPECT_EQ(out.days.days.at(0).data.intervals.count(), 4);
    const std::string message = cutMessage(kFileEnd, 1, "2ch 2024/03/03",
                                           fs::absolute(path).lexically_normal().string(), false);
    EXPECT_EQ(out.messages, std::vector<std::string>{message});
    EXPECT_EQ(out.cutNotice, message);
    EXPECT_EQ(out.notices.back().code, ReceptionNotice::Succeeded);
}

TEST_F(FileReception, MissingFileAndFolderAreReportedWithTheFullPath) {
    std::string missing = (folder / "none.txt").string();
    ReceptionOutcome out = runReception(request(missing));
    EXPECT_EQ(out.result, ReceptionResult::Failure);
    EXPECT_EQ(out.messages, std::vector<std::string>{u("ファイルが存在しません:") + missing});
    EXPECT_EQ(out.notices.back().code, ReceptionNotice::Failed);

    out = runReception(request(folder.string()));
    EXPECT_EQ(out.result, ReceptionResult::Failure);
    EXPECT_EQ(out.messages,
              std::vector<std::string>{u("ファイルがオープン出来ません:") + folder.string()});
}

// A file that exists but cannot be opened yet (here a socket, which open() refuses) is tried
// again until the limit; a stop during those attempts is an interruption, not a failure.
TEST_F(FileReception, StopWhileRetryingTheOpenIsACancel) {
    fs::path socketPath = folder / "busy.sock";
    fs::remove(socketPath);
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.string().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    ReceptionOutcome refused = runReception(request(socketPath.string()));
    EXPECT_EQ(refused.result, ReceptionResult::Failure);
    EXPECT_EQ(refused.messages,
              std::vector<std::string>{u("ファイルがオープン出来ません:") + socketPath.string()});

    SerialPort port;
    NoticeLog sink;
    ReceptionWorker worker(port, sink);
    ReceptionRequest r = request(socketPath.string());
    r.timings.fileRetry = std::chrono::milliseconds(20);
    r.timings.fileRetryLimit = std::chrono::milliseconds(600000);
    worker.start(r);
    ASSERT_TRUE(sink.waitFor(u("ファイルオープン:") + socketPath.string()));
    worker.stop();
    EXPECT_EQ(worker.result(), ReceptionResult::Cancelled);
    EXPECT_TRUE(sink.messages().empty());
    EXPECT_EQ(sink.lastCode(), ReceptionNotice::Succeeded);
    ::close(fd);
}

// A captured report is a regular file: a FIFO would block the open, a device never ends.
TEST_F(FileReception, OnlyARegularFileIsAReport) {
    const fs::path fifo = folder / "pipe";
    fs::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo.string(), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        ReceptionOutcome out = runReception(request(path));
        EXPECT_EQ(out.result, ReceptionResult::Failure);
        EXPECT_EQ(out.messages,
                  std::vector<std::string>{u("ファイルがオープン出来ません:") + path});
    }
}

// A capture another program still writes (holding it exclusively) is waited for, then read.
TEST_F(FileReception, BusyCaptureIsReadOnceTheWriterLetsGo) {
    const std::string report = sample::report(1, 3);
    const std::string path = write("busy.txt", crlf(report));
    int writer = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX | LOCK_NB), 0);
    SerialPort port;
    NoticeLog sink;
    ReceptionWorker worker(port, sink);
    ReceptionRequest r = request(path);
    r.timings.fileRetry = std::chrono::milliseconds(20);
    r.timings.fileRetryLimit = std::chrono::milliseconds(600000);
    worker.start(r);
    ASSERT_TRUE(sink.waitFor(u("ファイルオープン:") + path));
    ::close(writer);
    ASSERT_TRUE(sink.waitFor(u("ファイル読み込み中...")));
    worker.join();
    EXPECT_EQ(worker.result(), ReceptionResult::Success);
    EXPECT_TRUE(worker.takeDays() == parsed(report));
    EXPECT_TRUE(sink.messages().empty());
}

// The stop is looked at inside the line reader too: a line that never ends cannot hold it off.
TEST_F(FileReception, StopInsideAnEndlessLineIsACancel) {
    const fs::path huge = folder / "huge.txt";
    { std::ofstream(huge) << ""; }
    fs::resize_file(huge, std::uintmax_t{64} << 30); // 64 GiB of zero bytes, no line end
    SerialPort port;
    NoticeLog sink;
    ReceptionWorker worker(port, sink);
    worker.start(request(huge.string()));
    ASSERT_TRUE(sink.waitFor(u("ファイルオープン:") + huge.string()));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    auto stopped = std::async(std::launch::async, [&] { worker.stop(); });
    const bool ended = stopped.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    fs::remove(huge);
    ASSERT_TRUE(ended) << "the stop was not seen inside the line";
    EXPECT_EQ(worker.result(), ReceptionResult::Cancelled);
    EXPECT_TRUE(sink.messages().empty());
}

TEST_F(FileReception, GrammarErrorFailsAndHandsOverNothing) {
    std::string path = write("bad.txt", sample::intervalBlock(1, 3, 2) + u("ＣＨ") + "3 " +
                                            u("単相") + " PT:1 CT:1 2024/03/03\n");
    ReceptionOutcome out = runReception(request(path));
    EXPECT_EQ(out.result, ReceptionResult::Failure);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].rfind(u("チャンネル指定の解析が出来ません<"), 0), 0u);
    EXPECT_EQ(out.days.days.count(), 0);
}

} // namespace

// The pause between lines paces a live port; a captured file is read without it (at one
// hour a line this reception would never end).
TEST_F(FileReception, AFileIsReadWithoutTheSerialPause) {
    const std::string report = sample::report(2, 12);
    ReceptionRequest r = request(write("unpaced.txt", crlf(report)));
    r.timings.linePause = std::chrono::hours(1);
    ReceptionOutcome out = runReception(r);
    EXPECT_EQ(out.result, ReceptionResult::Success);
    EXPECT_TRUE(out.days == parsed(report));
}
