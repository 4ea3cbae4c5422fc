#include "link/ReceptionCapture.h"
// receive: the reception worker without a window, on a captured file and on a pseudo-terminal
// playing the recorder.
#include "common/StoreBuilders.h"
#include "support/InstanceLock.h"
#include "tests/tools/CliFixture.h"
#include "tests/tools/DayJsonCheck.h"
#include "tests/tools/ReportFixtures.h"
#include "tools/reportgen/PacedWriter.h"
#include "tools/reportgen/ReportGenerator.h"
#include <chrono>
#include <signal.h>
#include <sys/stat.h>
#include <thread>

namespace {

ReportGenOptions generated(uint64_t seed, int days = 2) {
    ReportGenOptions o;
    o.seed = seed;
    o.firstDay = DateTime::make(2024, 3, 30);
    o.days = days;
    o.circuitType1 = CircuitThreePhase4Wire;
    o.reverse = true;
    return o;
}

// Waits until the child's stderr holds the text (the watchdog of the child ends a hang).
bool waitForStderr(const tooltest::Spawned& child, const std::string& text) {
    for (int i = 0; i < 3000; ++i) {
        if (tooltest::readWhole(child.errPath()).find(text) != std::string::npos)
            return true;
        int status = 0;
        if (waitpid(child.pid, &status, WNOHANG) == child.pid)
            return false; // ended (finish() cannot reap it again: callers then fail)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

} // namespace

TEST_F(CliTest, ReceiveFromAFilePrintsTheDays) {
    ReportGenerator generator(generated(21));
    writeFile(dir() / "cap.txt", generator.generate());
    auto r = cli({"receive", "--file", "cap.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("ファイルオープン:" + (dir() / "cap.txt").string() +
                         "\nファイル読み込み中...\n後処理中...しばらくお待ちください\n"),
              std::string::npos)
        << r.err;
    auto v = json(r);
    const MeasurementCircuit& expected = generator.expectedDays();
    ASSERT_EQ(v["days"].size(), static_cast<std::size_t>(expected.days.count()));
    for (int i = 0; i < expected.days.count(); ++i)
        fixtures::expectDayJson(v["days"][static_cast<std::size_t>(i)], expected.days.at(i));
}

TEST_F(CliTest, ReceiveFailureHandsNothingOver) {
    writeFile(dir() / "bad.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01") +
                                                    "ＣＨ１ 5相 PT:1 CT:1 2024/05/02\n"));
    std::string before = builders::dataFileBytes(builders::makeStore({}));
    writeFile(dataFile(), before);
    auto r = cli({"receive", "--file", "bad.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("orvoview-cli: 測定回路種類の解析が出来ません<ＣＨ１ 5相 PT:1 CT:1 "
                         "2024/05/02>\norvoview-cli: 受信処理で問題が発生しました"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(readFile(dataFile()), before);
    // Without a circuit: what dump-report prints, the day before the error and the message.
    auto json = cli({"receive", "--file", "bad.txt"});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out, cli({"dump-report", "bad.txt"}).out);
    auto missing = cli({"receive", "--file", "none.txt"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("ファイルが存在しません:" + (dir() / "none.txt").string()),
              std::string::npos)
        << missing.err;
}

TEST_F(CliTest, ReceiveFromAFileIntoACircuit) {
    writeFile(dir() / "cap.txt", fixtures::captured(fixtures::dayReport(2, "2024/05/01")));
    auto r = cli({"receive", "--file", "cap.txt", "--customer", "A", "--circuit", "c"});
    ASSERT_EQ(r.status, 0) << r.err;
    MeasurementStore store = builders::readStore(readFile(dataFile()));
    ASSERT_EQ(store.at(0).circuits.at(0).days.count(), 1);
    EXPECT_EQ(store.at(0).circuits.at(0).days.at(0).channel, 1);

    InstanceLock gui;
    ASSERT_TRUE(gui.tryAcquire(home().string()));
    auto locked = cli({"receive", "--file", "cap.txt", "--customer", "A", "--circuit", "c"});
    EXPECT_EQ(locked.status, 1);
    EXPECT_NE(locked.err.find("使用中"), std::string::npos);
    EXPECT_EQ(locked.err.find("ファイルオープン"), std::string::npos); // refused before reading
}

TEST_F(CliTest, ReceiveFromAPseudoTerminal) {
    // Over the line the recorder ends its lines with LF alone (a CR would stay in the last
    // token); captured files hold CR LF.
    ReportGenOptions options = generated(33);
    options.lineEnd = "\n";
    ReportGenerator generator(options);
    std::string report = generator.generate();
    PacedWriter recorder(0); // a pseudo-terminal pair; the tool reads the slave side
    writeFile(home() / "orvoview.INI", "[Port]\r\nCOM7=" + recorder.slavePath() + "\r\n");
    SerialSettings serial;
    serial.portNumber = 7;
    serial.flowControl = 0;
    writeFile(dataFile(), builders::dataFileBytes(builders::makeStore({}), serial));

    auto child = cliStart({"receive", "--customer", "工場", "--circuit", "受電"});
    ASSERT_TRUE(waitForStderr(child, "機器からのデータ送信待ち"))
        << tooltest::readWhole(child.errPath());
    recorder.write(report);
    recorder.drain();
    // The recorder falls silent: after 3 s the reception ends normally.
    auto r = tooltest::finish(child);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("シリアルポートオープン\n機器からのデータ送信待ち\n受信処理中...\n"
                         "シリアルポートクローズ\n後処理中...しばらくお待ちください\n"),
              std::string::npos)
        << r.err;
    auto dump = cli({"dump-data", dataFile().string()});
    ASSERT_EQ(dump.status, 0);
    auto v = json(dump);
    const auto& days = v["customers"][0]["circuits"][0]["days"];
    const MeasurementCircuit& expected = generator.expectedDays();
    ASSERT_EQ(days.size(), static_cast<std::size_t>(expected.days.count()));
    for (int i = 0; i < expected.days.count(); ++i)
        fixtures::expectDayJson(days[static_cast<std::size_t>(i)], expected.days.at(i));
}

TEST_F(CliTest, ReceiveStopsOnInterruptAndFilesNothing) {
    PacedWriter recorder(0);
    writeFile(home() / "orvoview.INI", "[Port]\r\nCOM2=" + recorder.slavePath() + "\r\n");
    std::string before = builders::dataFileBytes(builders::makeStore({}));
    writeFile(dataFile(), before);

    auto child = cliStart({"receive", "--port", "2", "--customer", "A", "--circuit", "c"});
    ASSERT_TRUE(waitForStderr(child, "機器からのデータ送信待ち"));
    // Half a day: the reception is inside a block when the user interrupts.
    recorder.write(
        sjis::fromUtf8("ＣＨ１ 単相 PT:1.0 CT:1.0 2024/05/01\n時刻\n10:00 1 1 1 1 1 1\n"));
    recorder.drain();
    ASSERT_TRUE(waitForStderr(child, "受信処理中..."));
    kill(child.pid, SIGINT);
    auto r = tooltest::finish(child);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("受信を中断しました"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("受信処理で問題が発生しました"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dataFile()), before);
}

TEST_F(CliTest, ReceiveFromAPortThatCannotBeOpened) {
    writeFile(home() / "orvoview.INI",
              "[Port]\r\nCOM9=" + (dir() / "no-such-tty").string() + "\r\n");
    auto r = cli({"receive", "--port", "9"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("シリアルポートのオープンに失敗,"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("受信処理で問題が発生しました"), std::string::npos);
    // The report document: no days, the failure's message.
    auto v = json(r);
    EXPECT_EQ(v["days"].size(), 0u);
    EXPECT_EQ(v["error"].s.rfind("シリアルポートのオープンに失敗,", 0), 0u) << r.out;
}

TEST_F(CliTest, ReceiveWrongUsage) {
    const Args cases[] = {
        {"receive", "--customer", "A"},
        {"receive", "--port", "x"},
        {"receive", "--port", "0"},
        {"receive", "--port", "1", "--file", "f"},
        {"receive", "--file", "f", "--overwrite", "yes"},
    };
    for (const Args& args : cases)
        EXPECT_EQ(cli(args).status, 2);
}

// Inputs that never end: a device is no captured report; refused with the open message. A FIFO
// is refused where the reception reads it as its capture (dump-report reads a pipe it is given
// to its end: CliPipeTest).
TEST_F(CliTest, EndlessInputsAreRefused) {
    ASSERT_EQ(::mkfifo((dir() / "pipe").c_str(), 0600), 0);
    for (const std::string& path : {std::string("/dev/zero"), (dir() / "pipe").string()}) {
        for (const char* command : {"dump-report", "receive"}) {
            if (path != "/dev/zero" && std::string(command) == "dump-report")
                continue;
            SCOPED_TRACE(std::string(command) + " " + path);
            auto r = std::string(command) == "receive" ? cli({command, "--file", path})
                                                       : cli({command, path});
            EXPECT_EQ(r.status, 1) << r.err;
            EXPECT_NE(r.err.find("オープン出来ません"), std::string::npos) << r.err;
        }
    }
}

// Under a file-size limit the save fails with EFBIG and its message, instead of SIGXFSZ killing
// the tool half-way and leaving its temporary file.
TEST_F(CliTest, FileSizeLimitIsAFailedSaveNotAKill) {
    ReportGenerator generator(generated(5, 6));
    writeFile(dir() / "cap.txt", generator.generate());
    const std::string before = builders::dataFileBytes(builders::makeStore({}));
    writeFile(dataFile(), before);
    auto r = tooltest::run("/bin/sh",
                           {"-c", std::string("ulimit -f 2; exec '") + ORVOVIEW_CLI +
                                      "' receive --file cap.txt --customer A --circuit c"},
                           runOptions());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("データファイルを保存することが出来ません"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dataFile()), before);
    // Nothing left behind but the file and its previous generation (the same bytes).
    for (const auto& entry : std::filesystem::directory_iterator(dataFile().parent_path())) {
        const auto name = entry.path().filename();
        EXPECT_TRUE(name == "Orvo.DAT" || name == "Orvo.DAT.bak") << name << " left behind";
    }
}

// The "Debug" keys of the INI and the capture folder work as in the program.
TEST_F(CliTest, ReceiveTracesAndKeepsTheBytesAsTheIniSays) {
    ReportGenOptions options = generated(34, 1);
    options.lineEnd = "\n";
    std::string report = ReportGenerator(options).generate();
    PacedWriter recorder(0);
    writeFile(home() / "orvoview.INI", "[Port]\r\nCOM7=" + recorder.slavePath() +
                                           "\r\n[Debug]\r\n" +
                                           sjis::fromUtf8("通信ログ出力(0:しない,1:する)=1\r\n"));
    SerialSettings serial;
    serial.portNumber = 7;
    writeFile(dataFile(), builders::dataFileBytes(builders::makeStore({}), serial));
    auto child = cliStart({"receive"});
    ASSERT_TRUE(waitForStderr(child, "機器からのデータ送信待ち"));
    recorder.write(report);
    recorder.drain();
    auto r = tooltest::finish(child);
    ASSERT_EQ(r.status, 0) << r.err;
    std::string trace;
    for (int g = 0; g < 4; ++g)
        if (std::filesystem::exists(home() / ("COMM_" + std::to_string(g) + ".LOG")))
            trace += readFile(home() / ("COMM_" + std::to_string(g) + ".LOG"));
    EXPECT_NE(trace.find("port open " + recorder.slavePath()), std::string::npos);
    std::vector<std::filesystem::path> captures;
    for (const auto& e : std::filesystem::directory_iterator(home() / "RECEIVED"))
        if (e.path().filename() != ReceptionCapture::kRecordName) // the program's own record
            captures.push_back(e.path());
    ASSERT_EQ(captures.size(), 1u);
    EXPECT_EQ(readFile(captures[0]), report);

    // Debug mode: no port at all (COM9 does not exist), waiting until interrupted.
    writeFile(home() / "orvoview.INI",
              "[Debug]\r\n" + sjis::fromUtf8("通信(0:リリース,1:デバック)=1\r\n"));
    auto debug = cliStart({"receive", "--port", "9"});
    ASSERT_TRUE(waitForStderr(debug, "機器からのデータ送信待ち"));
    kill(debug.pid, SIGINT);
    auto d = tooltest::finish(debug);
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err.find("シリアルポートのオープンに失敗"), std::string::npos) << d.err;
    EXPECT_NE(d.err.find("受信を中断しました"), std::string::npos) << d.err;
}

// A FIFO at the data file's name is no data file: every command that reads it says so at once
// instead of waiting for a writer for ever (the lock held meanwhile); so is one at the INI.
TEST_F(CliTest, AFifoAtTheDataFileOrTheIniIsRefusedAtOnce) {
    writeFile(dir() / "cap.txt", ReportGenerator(generated(1, 6)).generate());
    std::filesystem::create_directories(dataFile().parent_path());
    ASSERT_EQ(::mkfifo(dataFile().c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"list"},
        {"dump-data", dataFile().string()},
        {"import-report", "cap.txt", "--customer", "A", "--circuit", "c"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args.front());
        auto r = cli(args);
        EXPECT_EQ(r.status, 1) << r.err;
    }
    std::filesystem::remove(dataFile());
    ASSERT_EQ(::mkfifo((home() / "orvoview.INI").c_str(), 0600), 0);
    auto r = cli({"list"});
    EXPECT_EQ(r.status, 0) << "an unreadable INI reads as defaults: " << r.err;
}
