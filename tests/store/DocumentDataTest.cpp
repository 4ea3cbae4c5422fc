#include "store/DocumentData.h"
#include "StoreTestSupport.h"
#include "common/Cp932.h"
#include "common/FailAfterSink.h"
#include "common/FileBytes.h"
#include "common/FileSizeLimit.h"
#include "store/ByteSink.h"
#include "store/DAT_Archive.h"
#include "store/DataFileLoad.h"
#include "support/ScriptedPrompt.h"
#include "support/Sjis.h"
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kTail = sj("\n今までの測定データは削除し新規の状態にします\n"
                             "必要であればこのソフトを終了する前に手作業でコピーしてください\n");
const std::string kDamaged = sj("データファイルが壊れている可能性があります") + kTail;
const std::string kVersion = sj("データファイルのバージョンが違いますます") + kTail;

struct Doc {
    TempFolder folder;
    DocumentData doc;
    ScriptedPrompt prompt;
    Doc() { doc.setProgramFolder(folder.str()); }
    fs::path dataFile() const { return folder.path() / "DATA" / "Orvo.DAT"; }
    fs::path dataFolder() const { return folder.path() / "DATA"; }
    fs::path previousGeneration() const { return folder.path() / "DATA" / "Orvo.DAT.bak"; }
    // Files in DATA other than Orvo.DAT and its previous generation.
    std::vector<fs::path> others() const {
        std::vector<fs::path> out;
        for (const auto& e : fs::directory_iterator(dataFolder()))
            if (e.path().filename() != "Orvo.DAT" && e.path().filename() != "Orvo.DAT.bak")
                out.push_back(e.path());
        return out;
    }
};

std::string dataFileWithVersion(int32_t version) {
    std::string bytes = datafile::encode(SerialSettings(), MeasurementStore());
    bytes[30] = static_cast<char>(version); // int32 right after the 1 + 29 signature bytes
    return bytes;
}

} // namespace

TEST(DocumentData, FirstStartCreatesFolderAndEmptyFile) {
    Doc d;
    ASSERT_FALSE(fs::exists(d.dataFolder()));
    EXPECT_TRUE(d.doc.loadOnce(d.prompt));
    EXPECT_TRUE(d.prompt.asked().empty());
    EXPECT_EQ(d.doc.dataFilePath(), d.dataFile().string());
    EXPECT_EQ(fileBytes(d.dataFile()), datafile::encode(SerialSettings(), MeasurementStore()));
    EXPECT_EQ(d.doc.store().count(), 0);
    EXPECT_EQ(d.doc.serial(), SerialSettings());
    EXPECT_TRUE(d.others().empty());
}

TEST(DocumentData, LoadRunsOnlyOnce) {
    Doc d;
    EXPECT_TRUE(d.doc.loadOnce(d.prompt));
    TempFolder::write(d.dataFile(),
                      datafile::encode(SerialSettings{2, 9600, 8, 0, 0, 0}, builders::richStore()));
    EXPECT_FALSE(d.doc.loadOnce(d.prompt));
    EXPECT_EQ(d.doc.store().count(), 0);
}

TEST(DocumentData, SaveThenLoadGivesSameDocument) {
    Doc d;
    d.doc.loadOnce(d.prompt);
    d.doc.replaceStore(builders::richStore());
    d.doc.serial().baudRate = 9600;
    ASSERT_TRUE(d.doc.saveToDataFile(d.prompt));
    EXPECT_TRUE(d.others().empty()) << "no temporary file left";

    DocumentData again;
    again.setProgramFolder(d.folder.str());
    EXPECT_TRUE(again.loadOnce(d.prompt));
    EXPECT_TRUE(again.store() == builders::richStore());
    EXPECT_EQ(again.serial().baudRate, 9600);
    EXPECT_TRUE(d.prompt.asked().empty());
}

TEST(DocumentData, WrongVersionIsToldCopiedAsideAndStoreStaysEmpty) {
    for (int32_t version : {2, 4}) {
        Doc d;
        fs::create_directories(d.dataFolder());
        std::string original = dataFileWithVersion(version);
        TempFolder::write(d.dataFile(), original);
        EXPECT_FALSE(d.doc.loadOnce(d.prompt));
        EXPECT_EQ(archive::lastReadDataVersion(), version);
        EXPECT_EQ(d.doc.store().count(), 0);
        auto copies = d.others();
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(copies[0].filename().string().rfind("Orvo.DAT.damaged-", 0), 0u);
        EXPECT_EQ(copies[0].filename().string().size(),
                  std::string("Orvo.DAT.damaged-").size() + 15);
        EXPECT_EQ(fileBytes(copies[0]), original);
        ASSERT_EQ(d.prompt.asked().size(), 1u);
        EXPECT_EQ(d.prompt.asked()[0].text, kVersion + d.dataFile().string() +
                                                sj("\n元のファイルを次の名前で保存しました\n") +
                                                copies[0].string());
        EXPECT_EQ(d.prompt.asked()[0].icon, PromptIcon::Stop);
        // At exit the empty document is written; the copy stays.
        EXPECT_TRUE(d.doc.saveToDataFile(d.prompt));
        EXPECT_EQ(fileBytes(d.dataFile()), datafile::encode(SerialSettings(), MeasurementStore()));
        EXPECT_EQ(fileBytes(copies[0]), original);
    }
}

TEST(DocumentData, WrongFileSignatureIsDamagedMessage) {
    Doc d;
    fs::create_directories(d.dataFolder());
    std::string bytes = datafile::encode(SerialSettings(), MeasurementStore());
    bytes[1] = 'X';
    TempFolder::write(d.dataFile(), bytes);
    EXPECT_FALSE(d.doc.loadOnce(d.prompt));
    ASSERT_EQ(d.prompt.asked().size(), 1u);
    EXPECT_EQ(d.prompt.asked()[0].text.rfind(kDamaged + d.dataFile().string() + "\n", 0), 0u);
}

TEST(DocumentData, WrongCustomerBlockSignatureNamesDataFileAndKeepsNothing) {
    Doc d;
    fs::create_directories(d.dataFolder());
    MeasurementStore two = builders::richStore();
    std::string bytes = datafile::encode(SerialSettings{5, 9600, 8, 0, 0, 0}, two);
    // Spoil the block signature of the second customer.
    std::size_t first = bytes.find("cust-20061215");
    std::size_t second = bytes.find("cust-20061215", first + 1);
    ASSERT_NE(second, std::string::npos);
    bytes[second] = 'k';
    TempFolder::write(d.dataFile(), bytes);
    EXPECT_FALSE(d.doc.loadOnce(d.prompt));
    ASSERT_EQ(d.prompt.asked().size(), 1u);
    EXPECT_EQ(d.prompt.asked()[0].text.rfind(kDamaged + d.dataFile().string() + "\n", 0), 0u);
    EXPECT_EQ(d.doc.store().count(), 0) << "customers before the bad block are not kept";
    EXPECT_EQ(d.doc.serial(), SerialSettings());
    ASSERT_EQ(d.others().size(), 1u);
    EXPECT_EQ(fileBytes(d.others()[0]), bytes);
}

TEST(DocumentData, TruncatedFileIsDamagedAndCopiedAside) {
    Doc d;
    fs::create_directories(d.dataFolder());
    std::string bytes = datafile::encode(SerialSettings(), builders::richStore());
    bytes.resize(bytes.size() * 2 / 3);
    TempFolder::write(d.dataFile(), bytes);
    EXPECT_FALSE(d.doc.loadOnce(d.prompt));
    EXPECT_EQ(d.doc.store().count(), 0);
    ASSERT_EQ(d.prompt.asked().size(), 1u);
    EXPECT_EQ(d.prompt.asked()[0].text.rfind(kDamaged, 0), 0u);
    ASSERT_EQ(d.others().size(), 1u);
    EXPECT_EQ(fileBytes(d.others()[0]), bytes);
}

TEST(DocumentData, FullDiskDuringSaveKeepsOldFileAndIsTold) {
    Doc d;
    d.doc.loadOnce(d.prompt);
    d.doc.replaceStore(builders::richStore());
    ASSERT_TRUE(d.doc.saveToDataFile(d.prompt));
    const std::string saved = fileBytes(d.dataFile());

    d.doc.store().insert("Another");
    std::size_t full = datafile::encode(d.doc.serial(), d.doc.store()).size();
    for (uint64_t limit : {uint64_t{0}, uint64_t{1}, uint64_t{70000}, uint64_t{full - 1}}) {
        ScriptedPrompt prompt;
        d.doc.setSinkWrapperForTesting([limit](ByteSink& sink) -> std::unique_ptr<ByteSink> {
            return std::make_unique<FailAfterSink>(sink, limit);
        });
        EXPECT_FALSE(d.doc.saveToDataFile(prompt)) << limit;
        EXPECT_EQ(fileBytes(d.dataFile()), saved) << limit;
        EXPECT_TRUE(d.others().empty()) << "temporary file removed";
        ASSERT_EQ(prompt.asked().size(), 1u);
        EXPECT_EQ(prompt.asked()[0].text.rfind(sj("データファイルを保存することが出来ません"), 0),
                  0u);
        const std::string& text = prompt.asked()[0].text;
        const std::size_t at = text.find(d.dataFile().string());
        EXPECT_NE(at, std::string::npos);
        EXPECT_EQ(text.find(d.dataFile().string(), at + 1), std::string::npos) << "path once";
    }
    d.doc.setSinkWrapperForTesting({});
    EXPECT_TRUE(d.doc.saveToDataFile(d.prompt));
    EXPECT_EQ(fileBytes(d.dataFile()).size(), full);
}

TEST(DocumentData, SaveNeverWritesThroughAFileLeftAtATemporaryName) {
    Doc d;
    d.doc.loadOnce(d.prompt);
    d.doc.replaceStore(builders::richStore());
    // A leftover (or planted) link where a fixed temporary name would be: saving must neither
    // write into the file it points to nor leave the data file a link.
    const fs::path victim = d.folder.path() / "other.txt";
    TempFolder::write(victim, "keep me");
    for (const char* name : {"Orvo.DAT.tmp", "Orvo.DAT.tmp0"})
        fs::create_symlink(victim, d.dataFolder() / name);
    ASSERT_TRUE(d.doc.saveToDataFile(d.prompt));
    EXPECT_EQ(fileBytes(victim), "keep me");
    EXPECT_FALSE(fs::is_symlink(d.dataFile()));
    EXPECT_EQ(fileBytes(d.dataFile()), datafile::encode(d.doc.serial(), d.doc.store()));
}

TEST(DocumentData, UnreadableDataFileIsNeverOverwritten) {
    Doc d;
    fs::create_directories(d.dataFile()); // a folder where the file should be: open or read fails
    EXPECT_FALSE(d.doc.loadOnce(d.prompt));
    ASSERT_EQ(d.prompt.asked().size(), 1u);
    EXPECT_TRUE(d.doc.saveBlocked());
    EXPECT_FALSE(d.doc.saveToDataFile(d.prompt));
    EXPECT_EQ(d.prompt.asked().size(), 2u);
    EXPECT_TRUE(fs::is_directory(d.dataFile()));
}

// Only a regular file is a data file: a FIFO under the name would hold the start-up in its open,
// a device would never end.
TEST(DataFileLoad, AnythingButARegularFileIsUnreadable) {
    TempFolder dir;
    const std::string fifo = dir.file("Orvo.DAT");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(dir.path() / "folder");
    for (const std::string& path : {fifo, dir.file("folder"), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        SerialSettings serial;
        MeasurementStore store = builders::richStore();
        const LoadResult result = loadDataFile(path, serial, store);
        EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
        EXPECT_TRUE(store == builders::richStore()); // nothing read, nothing lost
    }
}

TEST(DocumentData, SelectCopiesNamesAndDayAndComputesMonthSummaryOnlyForMonths) {
    DocumentData doc;
    doc.replaceStore(builders::richStore());
    int hookCalls = 0;
    doc.setMonthSummaryHook([&](DaySummary& target, const MeasurementCircuit& c, int y, int m) {
        ++hookCalls;
        target.energy = y * 100 + m + c.days.count();
    });
    doc.select({0, 1, 2, -1, -1}, 2);
    const DisplaySelection& s = doc.currentSelection();
    EXPECT_TRUE(doc.isSelectionValid());
    EXPECT_EQ(s.customerName, "Alpha");
    EXPECT_EQ(s.circuitName, "Circuit1");
    EXPECT_EQ(s.day, doc.store().at(0).circuits.at(1).days.at(2));
    EXPECT_EQ(s.circuit, &doc.store().at(0).circuits.at(1));
    EXPECT_EQ(s.displayChannel, 2);
    EXPECT_EQ(s.monthSummary, nullptr);
    EXPECT_EQ(hookCalls, 0);

    doc.select({0, 1, 0, 2023, 3}, 1);
    EXPECT_EQ(hookCalls, 1);
    ASSERT_EQ(s.monthSummary, &doc.monthSummary());
    EXPECT_EQ(doc.monthSummary().energy, 2023 * 100 + 3 + 4);

    doc.select({0, 2, 0, -1, -1}, 1); // empty circuit: day index out of range
    EXPECT_FALSE(doc.isSelectionValid());
    EXPECT_EQ(s.circuit, nullptr);
    EXPECT_EQ(s.circuitIndex, 2);

    doc.select({1, 0, 0, -1, -1}, 1);
    doc.clearSelection();
    EXPECT_FALSE(doc.isSelectionValid());
    EXPECT_EQ(s.customerIndex, -1);
}

TEST(DocumentData, ReplacingStoreFindsSelectedCircuitAgainByName) {
    DocumentData doc;
    doc.replaceStore(builders::richStore());
    doc.select({1, 0, 0, -1, -1}, 1); // "beta" (after "Alpha"; "表示" sorts last)
    std::string name = doc.currentSelection().customerName;
    MeasurementStore edited = doc.store();
    edited.insert("AAA"); // shifts every index by one
    doc.replaceStore(edited);
    const DisplaySelection& s = doc.currentSelection();
    EXPECT_EQ(s.customerIndex, 2);
    EXPECT_EQ(doc.store().nameAt(s.customerIndex), name);
    EXPECT_EQ(s.circuit, &doc.store().at(2).circuits.at(0));
    edited = doc.store();
    edited.removeAt(2);
    doc.replaceStore(edited);
    EXPECT_FALSE(doc.isSelectionValid());
    EXPECT_EQ(s.circuit, nullptr);
}

TEST(DocumentData, ReplacingStoreFollowsTheSelectedDayOrClearsWhenItIsGone) {
    DocumentData doc;
    doc.replaceStore(builders::richStore());
    const Customer& first = doc.store().at(0);
    ASSERT_GE(first.circuits.count(), 1);
    const MeasurementCircuit& circuit = first.circuits.at(0);
    const int last = circuit.days.count() - 1;
    ASSERT_GE(last, 0);
    doc.select({0, 0, last, -1, -1}, 1);
    const MeasurementDay shown = doc.currentSelection().day;

    // A day inserted before the shown one: the selection moves with its day.
    MeasurementStore edited = doc.store();
    MeasurementDay earlier;
    earlier.channel = shown.channel;
    earlier.date = DateTime::make(1990, 1, 1);
    edited.at(0).circuits.at(0).addOrReplaceDay(earlier);
    doc.replaceStore(edited);
    const DisplaySelection& s = doc.currentSelection();
    ASSERT_TRUE(doc.isSelectionValid());
    EXPECT_EQ(s.dayIndex, last + 1);
    EXPECT_EQ(s.circuit->days.at(s.dayIndex).date, shown.date);

    // The shown day removed: no index may point past the circuit's days.
    edited = doc.store();
    edited.at(0).circuits.at(0).days.removeAt(last + 1);
    doc.replaceStore(edited);
    EXPECT_FALSE(doc.isSelectionValid());
    EXPECT_EQ(s.circuit, nullptr);
}

// A killed run leaves its temporary file; the next load and every save remove such leftovers
// (of ended processes only), since the folder lock is held then.
TEST(DocumentData, StaleTemporaryFilesOfEndedRunsAreRemoved) {
    Doc d;
    fs::create_directories(d.dataFolder());
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const fs::path stale = d.dataFolder() / ("Orvo.DAT.tmp" + std::to_string(child) + "_0");
    TempFolder::write(stale, "half a store");
    EXPECT_TRUE(d.doc.loadOnce(d.prompt));
    EXPECT_FALSE(fs::exists(stale));
    TempFolder::write(stale, "half a store");
    EXPECT_TRUE(d.doc.saveToDataFile(d.prompt));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(d.others().empty());
}

TEST(DocumentData, DataFolderAndFileAreForTheUserOnly) {
    Doc d;
    EXPECT_TRUE(d.doc.loadOnce(d.prompt));
    EXPECT_EQ(fs::status(d.dataFolder()).permissions() & fs::perms::all, fs::perms(0700));
    EXPECT_EQ(fs::status(d.dataFile()).permissions() & fs::perms::all, fs::perms(0600));
}

// A disk that fills up while the damaged file is copied aside: no truncated copy under the
// backup name, and the message says the original stays in place, not overwritten.
TEST(DocumentData, FailedCopyAsideLeavesNoPartialCopy) {
    Doc d;
    fs::create_directories(d.dataFolder());
    std::string damaged = datafile::encode(SerialSettings(), builders::richStore());
    damaged[1] = 'X';
    damaged.resize(64 * 1024, 'z');
    TempFolder::write(d.dataFile(), damaged);
    // Room for the temporary state of the load, not for a copy of the file.
    const int code = withFileSizeLimit(4096, [&] {
        ScriptedPrompt prompt;
        d.doc.loadOnce(prompt);
        const bool told =
            prompt.asked().size() == 1 &&
            prompt.asked()[0].text.find(sj("データファイルの退避に失敗しました。元のファイルはその"
                                           "まま残し、上書きしません。\n") +
                                        d.dataFile().string()) != std::string::npos;
        return told && d.doc.saveBlocked() ? 0 : 1;
    });
    EXPECT_EQ(code, 0) << "message or blocked save missing";
    EXPECT_TRUE(d.others().empty()) << "a partial copy was left";
    EXPECT_EQ(fileBytes(d.dataFile()), damaged);
}

TEST(DocumentData, SaveFailureMessageNamesThePathOnce) {
    Doc d;
    d.doc.loadOnce(d.prompt);
    fs::remove(d.dataFile());
    fs::create_directories(d.dataFile() / "in the way"); // the rename cannot replace a folder
    ScriptedPrompt prompt;
    EXPECT_FALSE(d.doc.saveToDataFile(prompt));
    ASSERT_EQ(prompt.asked().size(), 1u);
    const std::string& text = prompt.asked()[0].text;
    const std::size_t at = text.find(d.dataFile().string());
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(text.find(d.dataFile().string(), at + 1), std::string::npos) << text;
}

TEST(DocumentData, AConfirmedChangeIsWrittenAtOnceWithThePreviousGenerationBesideIt) {
    Doc d;
    d.doc.loadOnce(d.prompt);
    const std::string empty = fileBytes(d.dataFile());
    EXPECT_FALSE(d.doc.hasUnsavedChanges());

    d.doc.replaceStore(builders::richStore());
    EXPECT_TRUE(d.doc.hasUnsavedChanges());
    ASSERT_TRUE(d.doc.saveChanges(d.prompt));
    EXPECT_FALSE(d.doc.hasUnsavedChanges());
    EXPECT_EQ(fileBytes(d.previousGeneration()), empty);
    const std::string rich = fileBytes(d.dataFile());
    EXPECT_EQ(rich, datafile::encode(d.doc.serial(), builders::richStore()));

    // The next change moves the generations on by one; the backup is the user's alone.
    d.doc.serial().baudRate = 4800;
    d.doc.markChanged();
    ASSERT_TRUE(d.doc.saveChanges(d.prompt));
    EXPECT_EQ(fileBytes(d.previousGeneration()), rich);
    EXPECT_EQ(fs::status(d.previousGeneration()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(d.others().empty());
    EXPECT_TRUE(d.prompt.asked().empty());
}

TEST(DocumentData, NothingChangedMeansNothingWritten) {
    Doc d;
    d.doc.loadOnce(d.prompt); // creates the empty file
    d.doc.replaceStore(builders::richStore());
    ASSERT_TRUE(d.doc.saveChanges(d.prompt));
    const auto written = fs::last_write_time(d.dataFile());
    fs::remove(d.previousGeneration());

    DocumentData again;
    again.setProgramFolder(d.folder.str());
    ASSERT_TRUE(again.loadOnce(d.prompt));
    EXPECT_FALSE(again.hasUnsavedChanges());
    // A save that would happen leaves a previous generation: none appears, the file is as it was.
    EXPECT_TRUE(again.saveChanges(d.prompt));
    EXPECT_FALSE(fs::exists(d.previousGeneration()));
    EXPECT_EQ(fs::last_write_time(d.dataFile()), written);
}

TEST(DocumentData, ADamagedFileCountsAsChangedSoASoundFileReplacesIt) {
    Doc d;
    fs::create_directories(d.dataFolder());
    TempFolder::write(d.dataFile(), "not a data file at all");
    ScriptedPrompt prompt;
    EXPECT_FALSE(d.doc.loadOnce(prompt));
    EXPECT_TRUE(d.doc.hasUnsavedChanges());
    ASSERT_TRUE(d.doc.saveChanges(prompt));
    EXPECT_EQ(fileBytes(d.dataFile()), datafile::encode(SerialSettings(), MeasurementStore()));
}

TEST(DocumentData, AFailedSaveKeepsTheChangeForTheNextTry) {
    Doc d;
    d.doc.loadOnce(d.prompt);
    d.doc.replaceStore(builders::richStore());
    d.doc.setSinkWrapperForTesting([](ByteSink& sink) -> std::unique_ptr<ByteSink> {
        return std::make_unique<FailAfterSink>(sink, 10);
    });
    ScriptedPrompt prompt;
    EXPECT_FALSE(d.doc.saveChanges(prompt));
    EXPECT_TRUE(d.doc.hasUnsavedChanges());
    d.doc.setSinkWrapperForTesting({});
    EXPECT_TRUE(d.doc.saveChanges(prompt));
    EXPECT_EQ(fileBytes(d.dataFile()), datafile::encode(d.doc.serial(), builders::richStore()));
}
