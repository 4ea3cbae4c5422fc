#include "support/FailureReport.h"
#include "common/Cp932.h"
#include "common/TempFolder.h"
#include "support/ArchiveError.h"
#include "support/CxException.h"
#include "support/LogFile.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include "support/SupportTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ios>
#include <new>
#include <stdexcept>
#include <system_error>

namespace {

const FailureSite kSite{"D_TxtOut", 312};

struct Case {
    const char* name;
    std::function<void()> thrower;
    const char* headingUtf8;
    std::string text; // CP932
};

} // namespace

TEST(FailureReport, HeadingsByFailureKind) {
    const Case cases[] = {
        {"bad_alloc", [] { throw std::bad_alloc(); }, "メモリ不足", std::bad_alloc().what()},
        {"file access", [] { throw FileAccessError("C:\\out\\a.CSV"); }, "ﾌｧｲﾙｱｸｾｽ異常",
         "C:\\out\\a.CSV"},
        {"filesystem",
         [] {
             throw std::filesystem::filesystem_error(
                 "write", std::make_error_code(std::errc::no_space_on_device));
         },
         "ﾌｧｲﾙｱｸｾｽ異常",
         std::filesystem::filesystem_error("write",
                                           std::make_error_code(std::errc::no_space_on_device))
             .what()},
        {"ios", [] { throw std::ios_base::failure("stream"); }, "ﾌｧｲﾙｱｸｾｽ異常",
         std::ios_base::failure("stream").what()},
        {"system", [] { throw std::system_error(std::make_error_code(std::errc::io_error), "io"); },
         "ﾌｧｲﾙｱｸｾｽ異常", std::system_error(std::make_error_code(std::errc::io_error), "io").what()},
        {"archive", [] { throw ArchiveError("short"); }, "ｱｰｶｲﾌﾞ異常", "short"},
        {"other", [] { throw std::out_of_range("index"); }, "例外発生", "index"},
        {"not an exception", [] { throw 42; }, "例外発生", ""},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        EXPECT_FALSE(runReportingFailures(prompt, kSite, c.thrower)) << c.name;
        ASSERT_EQ(prompt.asked().size(), 1u) << c.name;
        EXPECT_EQ(prompt.asked()[0].text, sj(c.headingUtf8) + "\n" + c.text + "\nD_TxtOut(312)")
            << c.name;
        EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::Ok);
    }
}

TEST(FailureReport, HeadingConstantsAreTheCp932Texts) {
    EXPECT_EQ(sjis::toUtf8(txt::support::kFailureMemory), "メモリ不足");
    EXPECT_EQ(sjis::toUtf8(txt::support::kFailureFileAccess), "ﾌｧｲﾙｱｸｾｽ異常");
    EXPECT_EQ(sjis::toUtf8(txt::support::kFailureArchive), "ｱｰｶｲﾌﾞ異常");
    EXPECT_EQ(sjis::toUtf8(txt::support::kFailureOther), "例外発生");
}

TEST(FailureReport, ProgramExceptionShowsItsMessageAndIsLogged) {
    TempFolder dir;
    LogFile log;
    log.OpenLog(dir.file("App"), 7, 4, 10000, 5242880);
    ScriptedPrompt prompt;
    const std::string message = sj("OpenError\n/out/日報.CSV");
    EXPECT_FALSE(runReportingFailures(
        prompt, kSite, [&] { throw CxException(sjis::Text(message), 0); }, &log));
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, message);
    // A failure is never shown with the information icon.
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Warning);
    std::string logged;
    for (auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().extension() == ".LOG") {
            logged = fileBytes(entry.path().string());
        }
    }
    ASSERT_NE(logged.find(')'), std::string::npos);
    EXPECT_EQ(logged.substr(logged.find(')') + 1), sj("OpenError\r\n/out/日報.CSV\r\n"));
}

// The hint of the site follows an archive failure only: a file of the wrong kind is told as
// such, a memory or file failure is not blamed on the file's kind.
TEST(FailureReport, ArchiveHintFollowsOnlyAnArchiveFailure) {
    const FailureSite site{"DAT_CUSTOMER", 12, "\nnot an export file"};
    ScriptedPrompt prompt;
    runReportingFailures(prompt, site, [] { throw ArchiveError("short"); });
    runReportingFailures(prompt, site, [] { throw FileAccessError("gone"); });
    ASSERT_EQ(prompt.asked().size(), 2u);
    EXPECT_EQ(prompt.asked()[0].text, std::string(txt::support::kFailureArchive) +
                                          "\nshort\nDAT_CUSTOMER(12)\nnot an export file");
    EXPECT_EQ(prompt.asked()[1].text,
              std::string(txt::support::kFailureFileAccess) + "\ngone\nDAT_CUSTOMER(12)");
}

TEST(FailureReport, MessageLessProgramExceptionIsSilent) {
    ScriptedPrompt prompt;
    EXPECT_FALSE(runReportingFailures(prompt, kSite, [] { throw CxException(); }));
    EXPECT_TRUE(prompt.asked().empty());
}

TEST(FailureReport, SuccessReportsNothing) {
    ScriptedPrompt prompt;
    bool ran = false;
    EXPECT_TRUE(runReportingFailures(prompt, kSite, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(prompt.asked().empty());
}

TEST(FailureReport, FailureTextIsCutToTheBuffer) {
    ScriptedPrompt prompt;
    // 98 ASCII bytes and a double-byte character that would end on byte 100.
    std::string text = std::string(98, 'a') + sj("表");
    runReportingFailures(prompt, {"DAT_CUSTOMER", 7}, [&] { throw ArchiveError(text); });
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, std::string(txt::support::kFailureArchive) + "\n" +
                                          std::string(98, 'a') + "\nDAT_CUSTOMER(7)");
}

TEST(FailureReport, Format) {
    EXPECT_EQ(formatFailure("H", "T", {"S", 12}), "H\nT\nS(12)");
}
