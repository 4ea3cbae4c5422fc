// --help and --version of the three programs: on standard output, exit status 0, without a
// display (the GUI answers before it creates its application object).
#include "app/ProgramOptions.h"
#include "tests/tools/ToolRunner.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {
using Args = std::vector<std::string>;
}

TEST(ProgramOptions, HelpAndVersionAreAnsweredBeforeTheStart) {
    const struct {
        Args args;
        const char* starts; // null: the program starts
    } rows[] = {
        {{}, nullptr},
        {{"-platform", "offscreen"}, nullptr},
        {{"--help"}, "usage: orvoview"},
        {{"-h"}, "usage: orvoview"},
        {{"-platform", "xcb", "--help"}, "usage: orvoview"},
        {{"--version"}, "orvoview "},
        {{"--version", "--help"}, "usage: orvoview"}, // help wins
        {{"--help", "--version"}, "usage: orvoview"},
        {{"--helpme"}, nullptr},
    };
    for (const auto& row : rows) {
        std::ostringstream out;
        const std::optional<int> status = answerInformationOptions(row.args, out);
        if (!row.starts) {
            EXPECT_FALSE(status.has_value());
            EXPECT_EQ(out.str(), "");
            continue;
        }
        ASSERT_TRUE(status.has_value()) << row.starts;
        EXPECT_EQ(*status, 0);
        EXPECT_EQ(out.str().rfind(row.starts, 0), 0u) << out.str();
    }
    EXPECT_EQ(programVersion(), std::string("orvoview ") + ORVO_VERSION + "\n");
    EXPECT_NE(programHelp().find("Program folder in use: "), std::string::npos);
}

// The built executables, started as a shell would start them on a machine without a display.
TEST(ProgramOptions, EveryProgramAnswersWithoutADisplay) {
    const std::string version = std::string(" ") + ORVO_VERSION + "\n";
    const struct {
        const char* exe;
        const char* name;
    } programs[] = {
        {ORVOVIEW_EXE, "orvoview"},
        {ORVOVIEW_CLI_EXE, "orvoview-cli"},
        {ORVO_REPORTGEN_EXE, "orvo-reportgen"},
    };
    tooltest::RunOptions bare;
    bare.env = {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};
    for (const auto& p : programs) {
        SCOPED_TRACE(p.name);
        auto help = tooltest::run(p.exe, {"--help"}, bare);
        EXPECT_EQ(help.status, 0) << help.err;
        EXPECT_EQ(help.out.rfind(std::string("usage: ") + p.name, 0), 0u) << help.out;
        EXPECT_EQ(help.err, "");
        auto v = tooltest::run(p.exe, {"--version"}, bare);
        EXPECT_EQ(v.status, 0) << v.err;
        EXPECT_EQ(v.out, p.name + version);
        EXPECT_EQ(v.err, "");
    }
}
