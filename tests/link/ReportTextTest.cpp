#include "link/ReportText.h"
#include "common/Cp932.h"
#include "link/ReportParser.h"

#include "common/TempFolder.h"
#include "support/CxException.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesOf(ReportTextReader& reader) {
    std::vector<std::string> out;
    std::string line;
    while (reader.nextLine(line)) {
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> linesOf(std::string_view text) {
    ReportTextReader reader(text);
    return linesOf(reader);
}

// A file holding the bytes, read back through the file form of the reader.
std::vector<std::string> linesOfFile(const std::string& bytes) {
    TempFolder folder;
    const std::string path = folder.file("capture.txt");
    TempFolder::write(path, bytes);
    OpenedFile file = OpenedFile::openRead(path);
    EXPECT_TRUE(file.isOpen());
    ReportTextReader reader(file);
    std::vector<std::string> out = linesOf(reader);
    EXPECT_FALSE(reader.failed());
    return out;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(ReportText, ReadsLikeAWindowsTextFile) {
    struct Case {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},               // the last line needs no LF
        {"a\r\r\nb\rc\n", {"a\r", "b\rc"}}, // only the CR before the LF goes
        {"\r\n\n", {"", ""}},
        {"a\r", {"a\r"}},
        {"a\nb\x1a"
         "c\nd\n",
         {"a", "b"}}, // Ctrl-Z ends the text
        {"\x1a"
         "abc",
         {}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(linesOf(c.text), c.lines);
        EXPECT_EQ(linesOfFile(c.text), c.lines);
    }
}

TEST(ReportText, FileChunksDoNotSplitLineEnds) {
    // Lines that straddle the 64 KiB read chunks, with CR and LF on either side of a boundary.
    for (std::size_t crAt : {65534u, 65535u, 65536u, 131071u}) {
        std::string text(crAt, 'x');
        text += "\r\nnext\r\n";
        Lines lines = linesOfFile(text);
        ASSERT_EQ(lines.size(), 2u) << crAt;
        EXPECT_EQ(lines[0].size(),
                  std::min<std::size_t>(crAt, ReportTextReader::kMaxKeptLineBytes));
        EXPECT_EQ(lines[1], "next");
    }
    std::string many;
    for (int i = 0; i < 20000; ++i) {
        many += "line " + std::to_string(i) + "\r\n";
    }
    Lines lines = linesOfFile(many);
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines[19999], "line 19999");
    EXPECT_EQ(lines, linesOf(many));
}

TEST(ReportText, VeryLongLineKeepsItsStart) {
    std::string text = std::string(200000, 'y') + "\r\nz";
    Lines lines = linesOf(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(ReportTextReader::kMaxKeptLineBytes, 'y'));
    EXPECT_EQ(lines[1], "z");
}

TEST(ReportText, ParseReportTextCleansAndFeedsEveryLine) {
    std::string text = sj("タイトル\r\n"
                          "\tＣＨ１　単相　ＰＴ：１　ＣＴ：１００　２００６／１２／１５ ; c\r\n"
                          "時刻 電力\r\n"
                          "  10:00\t1 2 3 4 5 6  \r\n"
                          "   \r\n"
                          "trailing\x1a"
                          "ＣＨ2 単相 PT:1 CT:1 2006/12/16\r\n");
    MeasurementCircuit days;
    ParseContext ctx(days);
    EXPECT_EQ(parseReportText(ctx, text), 6u);
    ASSERT_EQ(days.days.count(), 1);
    EXPECT_EQ(days.days.at(0).data.intervals.count(), 1);
    EXPECT_EQ(days.days.at(0).data.intervals.at(0).current[1], 6);
    EXPECT_EQ(ctx.state, ParseState::WaitHeader);
}
