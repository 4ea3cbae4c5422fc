#include "StoreTestSupport.h"
#include "common/Cp932.h"
#include "store/ArchiveWriter.h"
#include "store/DAT_Archive.h"
#include "store/DAT_CUSTOMER.h"
#include "store/MemorySink.h"
#include "support/RetryOpen.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

// Retries without really waiting; counts the pauses.
RetryPolicy countingPolicy(int& pauses) {
    RetryPolicy p;
    p.sleep = [&pauses](std::chrono::milliseconds) { ++pauses; };
    return p;
}

std::string customerBytes(const Customer& c) {
    MemorySink sink;
    ArchiveWriter out(sink);
    archive::write(out, c);
    out.flush();
    return sink.bytes();
}

MeasurementStore storeWith(std::initializer_list<const char*> names) {
    MeasurementStore s;
    for (const char* n : names)
        s.insert(n);
    return s;
}

// A file holding customer "A" with one circuit.
std::string exportFileOfA() {
    Customer c;
    c.name = "A";
    c.circuits.insert("C");
    return customerBytes(c);
}

std::string notExportFile(const std::string& path) {
    return sj("\nこのファイルは需要家データの切出しファイルではないか、壊れています。\n"
              "需要家データの切出しで作ったファイルを選んでください。\n") +
           path;
}

const std::string kTail = sj("\n今までの測定データは削除し新規の状態にします\n"
                             "必要であればこのソフトを終了する前に手作業でコピーしてください\n");

} // namespace

TEST(CustomerExport, FileIsExactlyOneCustomerRecord) {
    TempFolder folder;
    std::string path = folder.str() + "/A.VLK";
    ScriptedPrompt prompt;
    ASSERT_TRUE(exportCustomer(smallStore(), path, 0, prompt));
    EXPECT_TRUE(prompt.asked().empty());
    // The hand-written store bytes without the store's leading count.
    EXPECT_EQ(fileBytes(path), smallStoreBytes().substr(2));
}

TEST(CustomerExport, ExportAndReimportGiveIdenticalCustomer) {
    TempFolder folder;
    MeasurementStore source = builders::richStore();
    int index = source.find("Alpha");
    std::string path = folder.str() + "/Alpha.VLK";
    ScriptedPrompt prompt;
    ASSERT_TRUE(exportCustomer(source, path, index, prompt));

    MeasurementStore target = storeWith({"Other"});
    int added = importCustomer(target, path, prompt);
    ASSERT_GE(added, 0);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, sj("次の需要家データを取り込みます\nAlpha\nよろしいですか"));
    EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Question);
    EXPECT_EQ(target.count(), 2);
    EXPECT_EQ(customerBytes(target.at(added)), customerBytes(source.at(index)));
    EXPECT_TRUE(target.at(added) == source.at(index));
}

TEST(CustomerImport, UniqueNameTable) {
    struct Case {
        std::initializer_list<const char*> existing;
        const char* expected;
    };
    const Case cases[] = {
        {{"B"}, "A"},          {{"A", "A_1"}, "A_2"}, {{"a"}, "A_1"}, {{"A", "a_1", "A_2"}, "A_3"},
        {{"A", "A_2"}, "A_1"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string path = folder.str() + "/in.VLK";
        TempFolder::write(path, exportFileOfA());
        MeasurementStore store = storeWith(c.existing);
        ScriptedPrompt prompt;
        int index = importCustomer(store, path, prompt);
        ASSERT_GE(index, 0) << c.expected;
        EXPECT_EQ(store.nameAt(index), c.expected);
        EXPECT_EQ(store.at(index).circuits.count(), 1);
        EXPECT_EQ(store.count(), static_cast<int>(c.existing.size()) + 1);
        if (std::string(c.expected) == "A") {
            EXPECT_EQ(prompt.asked().size(), 1u);
        } else {
            ASSERT_EQ(prompt.asked().size(), 2u);
            EXPECT_EQ(prompt.asked()[1].text,
                      sj("取り込もうとしている需要家名は既に登録されています\n"
                         "次の名前に変更して取り込みます\n") +
                          c.expected);
        }
    }
}

TEST(CustomerImport, SuffixGoesOnNameAsReadNotOnSuffixedOne) {
    MeasurementStore store = storeWith({"A", "A_1", "A_1_1"});
    EXPECT_EQ(uniqueCustomerName(store, "A"), "A_2");
    EXPECT_EQ(uniqueCustomerName(store, "A_1"), "A_1_2");
}

TEST(CustomerImport, AnsweringNoChangesNothing) {
    TempFolder folder;
    std::string path = folder.str() + "/in.VLK";
    TempFolder::write(path, exportFileOfA());
    MeasurementStore store = storeWith({"A"});
    ScriptedPrompt prompt;
    prompt.answer(PromptAnswer::No);
    EXPECT_EQ(importCustomer(store, path, prompt), -1);
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(store.at(0).circuits.count(), 0);
    EXPECT_EQ(prompt.asked().size(), 1u);
}

TEST(CustomerImport, MissingFileDoesNothing) {
    TempFolder folder;
    MeasurementStore store;
    ScriptedPrompt prompt;
    EXPECT_EQ(importCustomer(store, folder.str() + "/none.VLK", prompt), -1);
    EXPECT_TRUE(prompt.asked().empty());
}

TEST(CustomerImport, WrongSignatureOrVersionShowsDataFileMessageThenFailureReport) {
    struct Case {
        std::string text;
        int32_t version;
        std::string first;
    };
    const Case cases[] = {
        {"cust-20061215-ds56sd40v2", 3, sj("データファイルが壊れている可能性があります") + kTail},
        {kCustSig, 2, sj("データファイルのバージョンが違いますます") + kTail},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string path = folder.str() + "/in.VLK";
        TempFolder::write(path, Bytes().u16(0).str(c.text).i32(c.version).str("A").str());
        MeasurementStore store = storeWith({"X"});
        ScriptedPrompt prompt;
        EXPECT_EQ(importCustomer(store, path, prompt), -1);
        EXPECT_EQ(store.count(), 1);
        ASSERT_EQ(prompt.asked().size(), 2u);
        EXPECT_EQ(prompt.asked()[0].text, c.first + path + notExportFile(path));
        EXPECT_EQ(prompt.asked()[1].text.rfind(sj("例外発生") + "\n", 0), 0u);
        EXPECT_NE(prompt.asked()[1].text.find("DAT_CUSTOMER("), std::string::npos);
    }
}

TEST(CustomerImport, TruncatedFileIsArchiveFailureAndStoreUnchanged) {
    std::string full = customerBytes(builders::richStore().at(0));
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, full.size() / 2, full.size() - 1}) {
        TempFolder folder;
        std::string path = folder.str() + "/in.VLK";
        TempFolder::write(path, full.substr(0, cut));
        MeasurementStore store = storeWith({"X"});
        ScriptedPrompt prompt;
        EXPECT_EQ(importCustomer(store, path, prompt), -1) << cut;
        EXPECT_EQ(store.count(), 1);
        ASSERT_EQ(prompt.asked().size(), 1u);
        const std::string& text = prompt.asked()[0].text;
        EXPECT_EQ(text.rfind(sj("ｱｰｶｲﾌﾞ異常") + "\n", 0), 0u) << sjis::toUtf8(text);
        EXPECT_NE(text.find("\nDAT_CUSTOMER("), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - notExportFile(path).size()), notExportFile(path));
    }
}

// A recorder's report chosen by mistake: the archive failure is followed by what the file is
// not and which file it was, with a warning icon.
TEST(CustomerImport, AReportFileIsToldAsNotAnExportFile) {
    TempFolder folder;
    const std::string path = folder.str() + "/report.TXT";
    TempFolder::write(path, sj("　　　　　　　デマンド日報\r\n 1CH  2024/05/01\r\n"));
    MeasurementStore store = storeWith({"X"});
    ScriptedPrompt prompt;
    EXPECT_EQ(importCustomer(store, path, prompt), -1);
    ASSERT_EQ(prompt.asked().size(), 1u);
    const std::string& text = prompt.asked()[0].text;
    EXPECT_EQ(text.rfind(sj("ｱｰｶｲﾌﾞ異常") + "\n", 0), 0u) << sjis::toUtf8(text);
    EXPECT_EQ(text.substr(text.size() - notExportFile(path).size()), notExportFile(path));
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(store.count(), 1);
}

TEST(CustomerImport, DoneMessageNamesTheCustomerAndTheFile) {
    EXPECT_EQ(importDoneMessage("A_1", "/in/A.VLK"),
              sj("需要家データを取り込みました。\nA_1\n/in/A.VLK"));
}

TEST(CustomerExport, MissingFolderFailsAtOnceWithOpenMessage) {
    TempFolder folder;
    std::string path = folder.str() + "/nofolder/A.VLK";
    int pauses = 0;
    ScriptedPrompt prompt;
    EXPECT_FALSE(exportCustomer(smallStore(), path, 0, prompt, countingPolicy(pauses)));
    EXPECT_EQ(pauses, 0);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, sj("ファイルを開くことが出来ません\n") + path +
                                          sj("\nフォルダが存在しません。\nフォルダ：") +
                                          folder.str() + "/nofolder");
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Warning);
}

TEST(CustomerExport, FileHeldByAnotherOpenerIsRetriedThenReported) {
    TempFolder folder;
    std::string path = folder.str() + "/A.VLK";
    TempFolder::write(path, "old");
    OpenResult held = openWithRetry(path, OpenAccess::ReadExclusive);
    ASSERT_TRUE(held);
    int pauses = 0;
    ScriptedPrompt prompt;
    EXPECT_FALSE(exportCustomer(smallStore(), path, 0, prompt, countingPolicy(pauses)));
    EXPECT_GT(pauses, 0);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(
        prompt.asked()[0].text,
        sj("ファイルを開くことが出来ません\n") + path +
            sj("\n他のプログラムが使用中です。そのプログラムを閉じてからやり直してください。"));
    EXPECT_EQ(fileBytes(path), "old");
}

// Names from another installation's file obey the name rules too: a name that holds a path
// ("../../evilxx"), a separator, a control byte or another refused character is refused with
// the rule's message, and the store stays as it was.
TEST(CustomerImport, NamesThatBreakTheNameRulesAreRefused) {
    struct Case {
        std::string customer;
        std::string circuit;
        const char* message; // the rule's message without the list
    } cases[] = {
        {"../../evilxx", "C", "需要家名称には次の何れかの文字を含めることは出来ません\n"},
        {"a/b", "C", "需要家名称には次の何れかの文字を含めることは出来ません\n"},
        {"a\x1b[2Jb", "C", "需要家名称には次の何れかの文字を含めることは出来ません\n"},
        {"A", "x\\y", "測定回路名称には次の何れかの文字を含めることは出来ません\n"},
        {"A", "..", "測定回路名称には次の何れかの文字を含めることは出来ません\n"},
        {"A", "line\rbreak", "測定回路名称には次の何れかの文字を含めることは出来ません\n"},
        {"", "C", "需要家を入力してください"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.customer + " / " + c.circuit);
        TempFolder folder;
        Customer hostile;
        hostile.name = c.customer;
        hostile.circuits.insert(c.circuit);
        const std::string path = folder.str() + "/in.VLK";
        TempFolder::write(path, customerBytes(hostile));
        MeasurementStore store = storeWith({"X"});
        ScriptedPrompt prompt;
        EXPECT_EQ(importCustomer(store, path, prompt), -1);
        EXPECT_TRUE(store == storeWith({"X"}));
        ASSERT_EQ(prompt.asked().size(), 1u);
        EXPECT_EQ(prompt.asked()[0].text.rfind(sj(c.message), 0), 0u);
        EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Stop);
    }
}

// File names made from names never hold a path separator, whatever a name holds.
TEST(CustomerExport, FileNamePresetOfAVeryLongNameFitsAFileSystem) {
    std::string name;
    for (int i = 0; i < 256; ++i)
        name += "東";
    const std::string preset = sjis::toUtf8(exportFileNamePreset(sj(name.c_str())));
    EXPECT_EQ(preset, name.substr(0, 3 * 73) + ".VLK"); // 73 kanji of 3 bytes and ".VLK": 223
}

TEST(CustomerExport, FileNamePresetHasNoPathSeparator) {
    EXPECT_EQ(exportFileNamePreset(sj("東京工場")), sj("東京工場") + ".VLK");
    EXPECT_EQ(exportFileNamePreset("../../evil"), ".._.._evil.VLK");
    EXPECT_EQ(exportFileNamePreset(sj("表\\")), sj("表") + "_.VLK"); // 表 ends in byte 0x5C
}
