// Runs of the tool whose standard output cannot be written (a full disk).
#include "common/Cp932.h"
#include "support/Sjis.h"
#include "tools/cli/CliArgs.h"
#include "tools/cli/CliMain.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>

namespace {

// Takes no byte, like a file on a full disk.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

struct CliRun {
    int status = -1;
    std::string err;
};

CliRun runIntoFullDisk(const std::vector<std::string>& args) {
    FullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    std::istringstream in;
    CliRun r;
    r.status = runCli(args, {out, err, in});
    r.err = err.str();
    return r;
}

} // namespace

TEST(CliOutput, UnwrittenOutputIsAFailure) {
    namespace fs = std::filesystem;
    fs::path report = fs::path(::testing::TempDir()) / "cli_output_report.txt";
    std::ofstream(report, std::ios::binary)
        << sj("ＣＨ1 単相 PT:1 CT:1 2024/03/01\n時刻\n00:30 1 2 3 4 5 6\n\n");

    CliRun dump = runIntoFullDisk({"dump-report", report.string()});
    EXPECT_EQ(dump.status, ExitFailure);
    EXPECT_NE(dump.err.find("cannot write the output"), std::string::npos);

    CliRun help = runIntoFullDisk({"--help"});
    EXPECT_EQ(help.status, ExitFailure);

    // Wrong usage keeps its own status.
    EXPECT_EQ(runIntoFullDisk({"dump-report"}).status, ExitUsage);

    // The same runs into a stream that takes the bytes succeed.
    std::ostringstream out, err;
    std::istringstream in;
    EXPECT_EQ(runCli({"dump-report", report.string()}, {out, err, in}), ExitOk);
    EXPECT_NE(out.str().find("\"days\""), std::string::npos);
    fs::remove(report);
}
