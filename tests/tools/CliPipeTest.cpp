// Standard input and pipes: "-" and a pipe named as FILE are read to their end; the data file
// itself stays a regular file only.
#include "common/StoreBuilders.h"
#include "tests/tools/CliFixture.h"
#include "tests/tools/ReportFixtures.h"
#include "tools/cli/CliInput.h"
#include "tools/reportgen/ReportGenerator.h"

#include <csignal>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

class CliPipeTest : public CliTest {
protected:
    // Runs a bash command line in the test folder with $CLI naming the tool.
    tooltest::RunResult shell(const std::string& line) {
        tooltest::RunOptions options = runOptions();
        return tooltest::run("/bin/bash", {"-c", "CLI=" + shellQuoted(ORVOVIEW_CLI) + "; " + line},
                             options);
    }
};

TEST_F(CliPipeTest, DashAndPipesAreReadToTheirEnd) {
    // Large enough that a pipe hands it over in many pieces.
    ReportGenOptions options;
    options.seed = 3;
    options.firstDay = DateTime::make(2024, 1, 1);
    options.days = 4;
    options.intervalMinutes = 1;
    ReportGenerator generator(options);
    const std::string big = generator.generate();
    ASSERT_GT(big.size(), 4u * 65536u); // a pipe buffer four times over
    writeFile(dir() / "big.txt", big);
    const std::size_t bigDays = static_cast<std::size_t>(generator.expectedDays().days.count());
    writeFile(dir() / "r.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01")));
    writeFile(dir() / "Orvo.DAT", builders::dataFileBytes(builders::sampleStore()));
    writeFile(dir() / "A.VLK", builders::exportFileBytes(builders::makeCustomer(
                                   "需要家A", {{"回路1", {builders::makeDay(1, 2024, 5, 1)}}})));
    ASSERT_EQ(::mkfifo((dir() / "fifo").c_str(), 0600), 0);

    struct Row {
        const char* line;
        const char* kind; // the JSON document's kind
        std::size_t days; // of its first day list
    } rows[] = {
        {"\"$CLI\" dump-report - < r.txt", "report", 1},
        {"cat r.txt | \"$CLI\" dump-report -", "report", 1},
        {"cat r.txt | \"$CLI\" dump-report /dev/stdin", "report", 1},
        {"\"$CLI\" dump-report <(cat r.txt)", "report", 1},
        {"cat r.txt > fifo & \"$CLI\" dump-report fifo", "report", 1},
        {"cat big.txt | \"$CLI\" dump-report -", "report", bigDays},
        {"cat Orvo.DAT | \"$CLI\" dump-data -", "dataFile", 2},
        {"cat A.VLK | \"$CLI\" dump-data /dev/stdin", "customerFile", 1},
        {"\"$CLI\" dump-data <(cat A.VLK)", "customerFile", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        auto r = shell(row.line);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(schemaProblems(r.out), "");
        auto v = json(r);
        EXPECT_EQ(v["kind"].s, row.kind);
        const minijson::Value& days = v.has("days") ? v["days"]
                                      : v.has("customers")
                                          ? v["customers"][1]["circuits"][0]["days"]
                                          : v["circuits"][0]["days"];
        EXPECT_EQ(days.size(), row.days);
    }
}

TEST_F(CliPipeTest, ImportsTakeDashAndPipes) {
    writeFile(dir() / "r.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01") +
                                                  fixtures::dayReport(1, "2024/05/02", 2.0)));
    writeFile(dir() / "A.VLK", builders::exportFileBytes(builders::makeCustomer(
                                   "需要家A", {{"回路1", {builders::makeDay(1, 2024, 5, 1)}}})));
    struct Row {
        const char* line;
        const char* customer; // filed under
        int days;
    } rows[] = {
        {"cat r.txt | \"$CLI\" import-report - --customer P --circuit c", "P", 2},
        {"cat r.txt | \"$CLI\" import-report /dev/stdin --customer Q --circuit c", "Q", 2},
        {"\"$CLI\" import-report - --customer R --circuit c < r.txt", "R", 2},
        {"cat A.VLK | \"$CLI\" import - --yes", "需要家A", 1},
        {"\"$CLI\" import <(cat A.VLK) --yes", "需要家A_1", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        auto r = shell(row.line);
        ASSERT_EQ(r.status, 0) << r.err;
        MeasurementStore store = builders::readStore(readFile(dataFile()));
        const int index = store.find(sjis::fromUtf8(row.customer));
        ASSERT_GE(index, 0);
        EXPECT_EQ(store.at(index).circuits.at(0).days.count(), row.days);
    }
    // The answer to the question cannot come from standard input when the file does.
    const std::string before = readFile(dataFile());
    auto asked = shell("cat A.VLK | \"$CLI\" import -");
    EXPECT_EQ(asked.status, 2) << asked.err;
    EXPECT_NE(asked.err.find("--yes"), std::string::npos) << asked.err;
    EXPECT_EQ(readFile(dataFile()), before);
}

// The protection against endless input stays where the program reads its own files.
TEST_F(CliPipeTest, AFifoAsTheDataFileIsStillRefused) {
    std::filesystem::create_directories(dataFile().parent_path());
    ASSERT_EQ(::mkfifo(dataFile().c_str(), 0600), 0);
    writeFile(dir() / "r.txt", fixtures::captured(fixtures::dayReport(1, "2024/05/01")));
    const Args rows[] = {
        {"list"},
        {"list", "--json"},
        {"import-report", "r.txt", "--customer", "A", "--circuit", "c"},
        {"csv", "--customer", "A", "--circuit", "c", "--day", "2024-05-01"},
        {"receive", "--file", "r.txt", "--customer", "A", "--circuit", "c"},
    };
    for (const Args& args : rows) {
        SCOPED_TRACE(args[0]);
        auto r = cli(args); // a read that waited for a writer would end under the watchdog
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find("orvoview-cli: データファイルを読み込むことが出来ません\n"),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(r.out.empty());
        struct stat st {};
        ASSERT_EQ(::lstat(dataFile().c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "replaced";
    }
}

// A piped archive is read whole, so its size is bounded.
TEST(CliInput, AStreamIsReadUpToItsLimit) {
    const struct {
        std::size_t bytes;
        std::size_t limit;
        cli::StreamRead result;
    } rows[] = {
        {0, 10, cli::StreamRead::Complete},          {10, 10, cli::StreamRead::Complete},
        {11, 10, cli::StreamRead::TooLarge},         {300000, 300000, cli::StreamRead::Complete},
        {300001, 300000, cli::StreamRead::TooLarge}, {1000000, 65536, cli::StreamRead::TooLarge},
    };
    // The writer of a stream read only in part gets EPIPE, not the signal.
    std::signal(SIGPIPE, SIG_IGN);
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.bytes) + " of " + std::to_string(row.limit));
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const std::string bytes(row.bytes, 'x');
        std::thread writer([&] {
            std::size_t done = 0;
            while (done < bytes.size()) {
                const ssize_t n = ::write(fds[1], bytes.data() + done, bytes.size() - done);
                if (n <= 0)
                    break; // the reader gave up: EPIPE
                done += static_cast<std::size_t>(n);
            }
            ::close(fds[1]);
        });
        OpenedFile file(fds[0], std::string());
        std::string read;
        EXPECT_EQ(cli::readStream(file, row.limit, read), row.result);
        if (row.result == cli::StreamRead::Complete) {
            EXPECT_EQ(read, bytes);
        }
        file = OpenedFile(); // the writer sees EPIPE instead of waiting for a reader
        writer.join();
    }
}
