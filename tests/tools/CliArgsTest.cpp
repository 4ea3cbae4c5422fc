#include "tools/cli/CliArgs.h"
#include <gtest/gtest.h>

namespace {
using Args = std::vector<std::string>;
}

TEST(CliArgs, OptionsWithSeparateAndInlineValues) {
    CliArgs a = parseCliArgs(
        Args{"import-report", "r.txt", "--customer", "A", "--circuit=B", "--overwrite", "yes"});
    EXPECT_EQ(a.command, "import-report");
    EXPECT_EQ(a.positional, Args{"r.txt"});
    EXPECT_EQ(a.require("customer"), "A");
    EXPECT_EQ(a.require("circuit"), "B");
    EXPECT_EQ(a.get("overwrite"), "yes");
    EXPECT_FALSE(a.has("channel"));
}

TEST(CliArgs, HelpForms) {
    EXPECT_TRUE(parseCliArgs(Args{"--help"}).help);
    CliArgs a = parseCliArgs(Args{"csv", "--help"});
    EXPECT_TRUE(a.help);
    EXPECT_EQ(a.command, "csv");
    CliArgs b = parseCliArgs(Args{"help", "list"});
    EXPECT_TRUE(b.help);
    EXPECT_EQ(b.command, "list");
    // --help wins over missing arguments.
    EXPECT_TRUE(parseCliArgs(Args{"dump-report", "--help"}).help);
}

TEST(CliArgs, DoubleDashEndsOptions) {
    CliArgs a = parseCliArgs(Args{"dump-report", "--", "--odd-name"});
    EXPECT_EQ(a.positional, Args{"--odd-name"});
}

TEST(CliArgs, WrongUsageIsRejected) {
    const Args cases[] = {
        {},
        {"frobnicate"},
        {"dump-report"},
        {"dump-report", "a", "b"},
        {"dump-report", "a", "--customer", "x"}, // option of another command
        {"list", "--home"},                      // value missing
        {"list", "--json=1"},                    // flag with a value
        {"list", "--home", "a", "--home", "b"},
        {"list", "-x"},
        {"help", "nothing"},
    };
    for (const Args& args : cases)
        EXPECT_THROW(parseCliArgs(args), UsageError) << (args.empty() ? "" : args[0]);
}

TEST(CliArgs, EveryCommandHasHelp) {
    for (const CliCommand& c : cliCommands()) {
        std::string help = c.help;
        EXPECT_NE(help.find(std::string("orvoview-cli ") + c.name), std::string::npos) << c.name;
        EXPECT_NE(cliOverview().find(c.name), std::string::npos) << c.name;
    }
}
