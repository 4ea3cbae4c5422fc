#include "support/OpenFailure.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct ReasonCase {
    const char* name;
    int error;
    FileUse use;
    const char* expected; // UTF-8
};

const ReasonCase kReasons[] = {
    {"write refused", EACCES, FileUse::Write,
     "\nフォルダに書き込む権限がありません。書き込めるフォルダを選んでください。\nフォルダ：/out"},
    {"write not permitted", EPERM, FileUse::Write,
     "\nフォルダに書き込む権限がありません。書き込めるフォルダを選んでください。\nフォルダ：/out"},
    {"read refused names no folder", EACCES, FileUse::Read, "\nファイルを読む権限がありません。"},
    {"read-only medium", EROFS, FileUse::Write,
     "\n読み取り専用の場所です。書き込めるフォルダを選んでください。\nフォルダ：/out"},
    {"disk full", ENOSPC, FileUse::Write,
     "\nディスクに空きがありません。空きを作るか、別の場所を選んでください。\nフォルダ：/out"},
    {"name too long", ENAMETOOLONG, FileUse::Write,
     "\nファイル名が長すぎます。短い名前にしてください。"},
    {"folder missing", ENOENT, FileUse::Write, "\nフォルダが存在しません。\nフォルダ：/out"},
    {"folder at the name", EISDIR, FileUse::Write,
     "\n同じ名前のフォルダがあります。別の名前にしてください。"},
    {"locked by another", EWOULDBLOCK, FileUse::Read,
     "\n他のプログラムが使用中です。そのプログラムを閉じてからやり直してください。"},
};

TEST(OpenFailure, ReasonInWordsWithWhatToDo) {
    for (const ReasonCase& c : kReasons)
        EXPECT_EQ(sjis::toUtf8(openFailureReason(std::error_code(c.error, std::generic_category()),
                                                 c.use, "/out/x.CSV")),
                  c.expected)
            << c.name;
}

TEST(OpenFailure, AnyOtherErrorGivesTheSystemsWords) {
    const std::string reason = sjis::toUtf8(
        openFailureReason(std::make_error_code(std::errc::io_error), FileUse::Write, "/out/x.CSV"));
    EXPECT_EQ(reason, "\nシステムの応答：" + std::make_error_code(std::errc::io_error).message());
}

TEST(OpenFailure, NoReasonWithoutAnErrorOrWhenCancelled) {
    EXPECT_EQ(openFailureReason({}, FileUse::Write, "/out/x.CSV"), "");
    EXPECT_EQ(openFailureReason(std::make_error_code(std::errc::operation_canceled), FileUse::Write,
                                "/out/x.CSV"),
              "");
}

TEST(OpenFailure, AFileNameAloneNamesTheCurrentFolder) {
    EXPECT_EQ(
        sjis::toUtf8(openFailureReason(std::error_code(EACCES, std::generic_category()),
                                       FileUse::Write, "x.CSV")),
        "\nフォルダに書き込む権限がありません。書き込めるフォルダを選んでください。\nフォルダ：.");
}

} // namespace
