#include "textout/ReportLineWriter.h"
#include "common/TempFolder.h"
#include "textout/ReportFile.h"

#include <gtest/gtest.h>

TEST(ReportLineWriter, LinesEndWithCrLfAndAreCounted) {
    TempFolder dir;
    const std::string path = dir.file("out.CSV");
    std::unique_ptr<ReportSink> sink = openReportFile(path);
    ReportLineWriter out(*sink);
    out.WriteLine("a, b");
    out.WriteLine("");
    out.WriteLine("two\nparts");
    out.WriteLine("already\r\nended");
    EXPECT_EQ(out.lineCount(), 4);
    sink->finish();
    EXPECT_EQ(fileBytes(path), "a, b\r\n\r\ntwo\r\nparts\r\nalready\r\nended\r\n");
}
