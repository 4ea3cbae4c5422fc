#include "tests/tools/CliFixture.h"

namespace {
using Args = std::vector<std::string>;
}

TEST_F(CliTest, HelpOfTheToolAndOfEveryCommand) {
    auto r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Commands:"), std::string::npos);
    for (const char* c : {"dump-report", "dump-data", "list", "import-report", "csv", "export",
                          "import", "receive"}) {
        auto h = cli({c, "--help"});
        EXPECT_EQ(h.status, 0) << c;
        EXPECT_NE(h.out.find(std::string("usage: orvoview-cli ") + c), std::string::npos) << c;
    }
}

TEST_F(CliTest, WrongUsageExitsWithTwo) {
    const Args cases[] = {{}, {"nothing"}, {"dump-report"}, {"csv", "--bogus"}};
    for (const Args& args : cases) {
        auto r = cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}
