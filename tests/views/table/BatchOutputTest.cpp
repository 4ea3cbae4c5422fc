// 一括出力: the plan of files, the run against the single outputs, the summary.
#include "views/table/BatchOutput.h"
#include "common/FileBytes.h"
#include "common/StoreBuilders.h"
#include "common/TempFolder.h"
#include "store/DocumentData.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "textout/CsvReport.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using builders::makeCustomer;
using builders::makeDay;

std::vector<MeasurementDay> days(int channel, std::initializer_list<int> dates) {
    std::vector<MeasurementDay> out;
    for (int d : dates)
        out.push_back(makeDay(channel, 2024, 5, d, d * 10.0 + channel));
    return out;
}

// 東電工場 (index 0): 受電 (0) with days 1-7 of both channels and 照明 (1) with 3 and 5;
// 北倉庫 (index 1): 動力 (0) with days 2-6.
MeasurementStore threeCircuits() {
    std::vector<MeasurementDay> both = days(1, {1, 2, 3, 4, 5, 6, 7});
    for (const MeasurementDay& d : days(2, {2, 3}))
        both.push_back(d);
    return builders::makeStore({
        makeCustomer("東電工場", {{"受電", both}, {"照明", days(1, {3, 5})}}),
        makeCustomer("北倉庫", {{"動力", days(1, {2, 3, 4, 5, 6})}}),
    });
}

std::vector<std::string> names(const std::vector<BatchItem>& plan) {
    std::vector<std::string> out;
    for (const BatchItem& i : plan)
        out.push_back(sjis::toUtf8(i.fileName));
    return out;
}

std::vector<std::string> names(const std::vector<std::string>& files) {
    std::vector<std::string> out;
    for (const std::string& f : files)
        out.push_back(sjis::toUtf8(f));
    return out;
}

TEST(BatchOutput, PlanNamesEachStoredDayOfThePeriodByTheSingleOutputsRules) {
    const MeasurementStore store = threeCircuits();
    ASSERT_EQ(sjis::toUtf8(store.at(0).name), "東電工場");
    const DateTime may3 = DateTime::make(2024, 5, 3), may5 = DateTime::make(2024, 5, 5);
    struct Case {
        const char* name;
        BatchRequest request;
        std::vector<std::string> files;
    } cases[] = {
        {"two circuits, CSV and PDF, channel 2 days left out",
         {{{0, 0}, {1, 0}}, may3, DateTime::make(2024, 5, 4), true, true},
         {"日報_東電工場_受電_20240503_1.CSV", "日報_東電工場_受電_20240503.pdf",
          "日報_東電工場_受電_20240504_1.CSV", "日報_東電工場_受電_20240504.pdf",
          "日報_北倉庫_動力_20240503_1.CSV", "日報_北倉庫_動力_20240503.pdf",
          "日報_北倉庫_動力_20240504_1.CSV", "日報_北倉庫_動力_20240504.pdf"}},
        {"days without data skipped, PDF only",
         {{{0, 1}}, DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 31), false, true},
         {"日報_東電工場_照明_20240503.pdf", "日報_東電工場_照明_20240505.pdf"}},
        {"a one-day period",
         {{{1, 0}}, may5, may5, true, false},
         {"日報_北倉庫_動力_20240505_1.CSV"}},
        {"to before from", {{{1, 0}}, may5, may3, true, true}, {}},
        {"a circuit that is not there", {{{0, 5}, {7, 0}}, may3, may5, true, true}, {}},
        {"no format", {{{1, 0}}, may3, may5, false, false}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(names(planBatch(store, c.request)), c.files);
    }
    const std::vector<BatchItem> plan = planBatch(store, {{{0, 1}}, may3, may3, true, false});
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].tuple, (SelectionTuple{0, 1, 0, -1, -1}));
}

// What the CSV command writes for a day shown through the document, as the window and the
// command-line tool do it.
std::string singleCsv(const MeasurementStore& store, const SelectionTuple& tuple,
                      const fs::path& folder) {
    DocumentData document;
    document.replaceStore(store);
    document.select(tuple, 1);
    const std::string name = csvFileNamePreset(document.currentSelection());
    EXPECT_TRUE(WriteReportCsv(folder.string() + "/" + name, document.currentSelection()));
    return fileBytes(folder / sjis::toUtf8(name));
}

TEST(BatchOutput, ThreeCircuitsOfFiveDaysAreTheSingleOutputsByteForByte) {
    const MeasurementStore store = threeCircuits();
    const BatchRequest request{{{0, 0}, {1, 0}, {0, 1}},
                               DateTime::make(2024, 5, 2),
                               DateTime::make(2024, 5, 6),
                               true,
                               true};
    const std::vector<BatchItem> plan = planBatch(store, request);
    ASSERT_EQ(plan.size(), 2u * (5 + 5 + 2));
    TempFolder batch, single;
    std::vector<std::pair<std::string, SelectionTuple>> pdfs;
    const BatchResult result =
        runBatch(store, plan, batch.str(),
                 [&](const DisplaySelection& s, const std::string& path, std::string&) {
                     pdfs.emplace_back(path, s.tuple());
                     TempFolder::write(path, "%PDF " + s.day.date.format("%Y%m%d"));
                     return true;
                 });
    EXPECT_EQ(result.written, 24);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_EQ(sjis::toUtf8(batchSummary(result)), "24 件出力しました");
    for (const BatchItem& item : plan) {
        SCOPED_TRACE(sjis::toUtf8(item.fileName));
        if (item.format == BatchFormat::Csv) {
            EXPECT_EQ(fileBytes(batch.path() / sjis::toUtf8(item.fileName)),
                      singleCsv(store, item.tuple, single.path()));
        }
    }
    // Every PDF went to the writer with its day's selection, under its own name.
    ASSERT_EQ(pdfs.size(), 12u);
    EXPECT_EQ(sjis::toUtf8(pdfs.front().first), batch.file("日報_東電工場_受電_20240502.pdf"));
    EXPECT_EQ(pdfs.front().second, (SelectionTuple{0, 0, 1, -1, -1}));
}

TEST(BatchOutput, AMissingFolderFailsEveryFileAndSaysWhy) {
    const MeasurementStore store = threeCircuits();
    const std::vector<BatchItem> plan = planBatch(
        store, {{{1, 0}}, DateTime::make(2024, 5, 2), DateTime::make(2024, 5, 3), true, true});
    TempFolder root;
    const std::string folder = root.file("gone");
    bool pdfCalled = false;
    const BatchResult result = runBatch(store, plan, folder,
                                        [&](const DisplaySelection&, const std::string&,
                                            std::string&) { return pdfCalled = true; });
    EXPECT_EQ(result.written, 0);
    EXPECT_FALSE(pdfCalled);
    EXPECT_FALSE(fs::exists(folder));
    const std::string why = "出力先のフォルダがありません:" + folder;
    EXPECT_EQ(sjis::toUtf8(batchSummary(result)),
              "0 件出力しました\n出力できなかったもの:\n"
              "日報_北倉庫_動力_20240502_1.CSV: " +
                  why + "\n" + "日報_北倉庫_動力_20240502.pdf: " + why + "\n" +
                  "日報_北倉庫_動力_20240503_1.CSV: " + why + "\n" +
                  "日報_北倉庫_動力_20240503.pdf: " + why);
}

TEST(BatchOutput, FilesThatFailAreListedAndTheOthersWritten) {
    const MeasurementStore store = threeCircuits();
    const std::vector<BatchItem> plan = planBatch(
        store, {{{1, 0}}, DateTime::make(2024, 5, 2), DateTime::make(2024, 5, 4), true, true});
    TempFolder folder;
    // A folder where the CSV of the 3rd would go; the PDF writer refuses the 4th.
    fs::create_directory(folder.path() / "日報_北倉庫_動力_20240503_1.CSV");
    const BatchResult result =
        runBatch(store, plan, folder.str(),
                 [](const DisplaySelection& s, const std::string& path, std::string& reason) {
                     if (s.day.date == DateTime::make(2024, 5, 4)) {
                         reason = "disk full";
                         return false;
                     }
                     TempFolder::write(path, "%PDF");
                     return true;
                 });
    EXPECT_EQ(result.written, 4);
    EXPECT_EQ(names(result.files), (std::vector<std::string>{"日報_北倉庫_動力_20240502_1.CSV",
                                                             "日報_北倉庫_動力_20240502.pdf",
                                                             "日報_北倉庫_動力_20240503.pdf",
                                                             "日報_北倉庫_動力_20240504_1.CSV"}));
    ASSERT_EQ(result.failed.size(), 2u);
    EXPECT_EQ(sjis::toUtf8(result.failed[0].fileName), "日報_北倉庫_動力_20240503_1.CSV");
    EXPECT_FALSE(result.failed[0].reason.empty());
    EXPECT_EQ(result.failed[0].reason.find('\n'), std::string::npos);
    EXPECT_EQ(result.failed[1],
              (BatchFailure{sjis::fromUtf8("日報_北倉庫_動力_20240504.pdf"), "disk full"}));
    const std::string summary = sjis::toUtf8(batchSummary(result));
    EXPECT_EQ(summary.rfind("4 件出力しました\n出力できなかったもの:\n", 0), 0u) << summary;
    EXPECT_TRUE(fs::exists(folder.path() / "日報_北倉庫_動力_20240504_1.CSV"));
}

TEST(BatchOutput, TwoNamesThatMakeOneFileNameWriteItOnce) {
    // "A/B" and "A_B" both become "A_B" in a file name.
    const MeasurementStore store = builders::makeStore({
        makeCustomer("A/B", {{"x", days(1, {2})}}),
        makeCustomer("A_B", {{"x", days(1, {2})}}),
    });
    const std::vector<BatchItem> plan = planBatch(
        store,
        {{{0, 0}, {1, 0}}, DateTime::make(2024, 5, 2), DateTime::make(2024, 5, 2), true, false});
    ASSERT_EQ(names(plan),
              (std::vector<std::string>{"日報_A_B_x_20240502_1.CSV", "日報_A_B_x_20240502_1.CSV"}));
    TempFolder folder;
    const BatchResult result = runBatch(store, plan, folder.str(), {});
    EXPECT_EQ(result.written, 1);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(sjis::toUtf8(result.failed[0].reason), "同じ名前のファイルを先に出力しました");
}

TEST(BatchOutput, AProgressThatSaysStopEndsTheRunThere) {
    const MeasurementStore store = threeCircuits();
    const std::vector<BatchItem> plan = planBatch(
        store, {{{1, 0}}, DateTime::make(2024, 5, 2), DateTime::make(2024, 5, 6), true, false});
    TempFolder folder;
    std::vector<std::pair<int, int>> told;
    const BatchResult result = runBatch(store, plan, folder.str(), {}, [&](int done, int total) {
        told.emplace_back(done, total);
        return done < 2;
    });
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{0, 5}, {1, 5}, {2, 5}}));
    EXPECT_EQ(result.written, 2);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_FALSE(fs::exists(folder.path() / "日報_北倉庫_動力_20240504_1.CSV"));
}

TEST(BatchOutput, TheDialogStartsOnTheShownCircuitAndItsReportMonth) {
    const MeasurementStore store = threeCircuits();
    DocumentData shownDay, shownMonth, nothing;
    for (DocumentData* d : {&shownDay, &shownMonth, &nothing})
        d->replaceStore(store);
    shownDay.select({1, 0, 1, -1, -1}, 1); // 北倉庫 動力 on 5/3
    shownMonth.select({0, 1, 0, 2024, 4}, 1);
    const auto d = [](int m, int day) { return DateTime::make(2024, m, day); };
    struct Case {
        const char* name;
        const DisplaySelection& shown;
        int startDay;
        std::vector<std::pair<int, int>> circuits;
        DateTime from, to;
    } cases[] = {
        {"a day, calendar months", shownDay.currentSelection(), 1, {{1, 0}}, d(5, 1), d(5, 31)},
        {"a day, months from the 21st",
         shownDay.currentSelection(),
         21,
         {{1, 0}},
         d(4, 21),
         d(5, 20)},
        {"a month from the 21st", shownMonth.currentSelection(), 21, {{0, 1}}, d(4, 21), d(5, 20)},
        {"nothing shown: the first circuit's last day",
         nothing.currentSelection(),
         5,
         {{0, 0}},
         d(5, 5),
         d(6, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BatchRequest r = defaultBatchRequest(store, c.shown, c.startDay);
        std::vector<std::pair<int, int>> circuits;
        for (const BatchCircuit& b : r.circuits)
            circuits.emplace_back(b.customerIndex, b.circuitIndex);
        EXPECT_EQ(circuits, c.circuits);
        EXPECT_EQ(r.from, c.from);
        EXPECT_EQ(r.to, c.to);
        EXPECT_TRUE(r.csv && r.pdf);
    }
    EXPECT_TRUE(
        defaultBatchRequest(MeasurementStore(), nothing.currentSelection(), 1).circuits.empty());
}

} // namespace
