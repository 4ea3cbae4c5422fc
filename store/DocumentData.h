#pragma once
// The document's data without any window: serial settings, store, display selection and the
// month summary, with the data file that holds the first two. The GUI document wraps this
// and adds the views and update hints.
#include "store/DAT_DataFile.h"
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Records.h"
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include "store/DataFileLoad.h"
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

class Prompt;

class DocumentData {
public:
    // Computes the month summary of a monthly selection into `target`. The default uses the
    // aggregation with monthStartDay().
    using MonthSummaryHook =
        std::function<void(DaySummary& target, const MeasurementCircuit&, int year, int month)>;

    DocumentData();

    // "<folder>/DATA" and "<folder>/DATA/Orvo.DAT" (CP932, folder without trailing separator).
    void setProgramFolder(const std::string& folder);
    const std::string& dataFolder() const { return m_dataFolder; }
    const std::string& dataFilePath() const { return m_dataFile; }

    SerialSettings& serial() { return m_serial; }
    const SerialSettings& serial() const { return m_serial; }
    MeasurementStore& store() { return m_store; }
    const MeasurementStore& store() const { return m_store; }
    const DaySummary& monthSummary() const { return m_monthSummary; }
    // Counts the replacements of the store: results computed from its circuits (the analysis
    // view's per-day results) hold while it stays the same, since a circuit is never edited in
    // place.
    std::uint64_t storeRevision() const { return m_storeRevision; }
    // An editing dialog accepted its copy of the store. A valid selection is looked up again
    // by its names and its day (a monthly one by its report month) and selected anew; it is
    // cleared when its circuit or day is gone.
    void replaceStore(MeasurementStore store);

    // Loads the data file the first time only: creates the folder, writes an empty file when
    // there is none, then reads it. A file that fails its signature or version, or is damaged,
    // is copied aside first and the user is told (with both paths); the store stays empty.
    // Returns true when data was read.
    bool loadOnce(Prompt& prompt);
    // The same in three steps, so that the read can run on another thread while a window
    // shows: prepareLoad (the folder, leftovers, an empty file when there is none; false when
    // there is nothing to read), readDataFile (any thread; touches no document), finishLoad
    // (takes what was read, or tells why not, as loadOnce does).
    struct ReadData {
        LoadResult result;
        SerialSettings serial;
        MeasurementStore store;
    };
    bool prepareLoad(Prompt& prompt);
    static ReadData readDataFile(const std::string& path,
                                 std::atomic<uint64_t>* progress = nullptr);
    bool finishLoad(ReadData read, Prompt& prompt);
    // Replaces the data file with the document atomically; a failure is told and leaves the
    // old file as it was. A file that exists but could not be read at start is never
    // overwritten (told instead).
    bool saveToDataFile(Prompt& prompt);
    // What the user confirms is written at once (and so survives a lost display or a killed
    // process): the data file is replaced when the document changed since it was loaded or
    // last saved (or is gone), and left alone otherwise. False after a told failure.
    bool saveChanges(Prompt& prompt);
    bool hasUnsavedChanges() const { return m_changed; }
    // The serial settings (or anything else kept in the data file) were changed in place.
    void markChanged() { m_changed = true; }

    // Selection (no views here: the GUI document tells them afterwards).
    void select(const SelectionTuple& tuple, int displayChannel);
    void clearSelection();
    const DisplaySelection& currentSelection() const { return m_selection; }
    bool isSelectionValid() const { return m_selection.isValid(); }

    // The month start day has one owner, the settings ("Param"/"MonStartDay"): the document
    // asks `owner` at every use and keeps no copy. A tool without settings gives a fixed day.
    void setMonthStartDay(std::function<int()> owner) { m_monthStartDay = std::move(owner); }
    void setMonthStartDay(int day) {
        m_monthStartDay = [day] { return day; };
    }
    int monthStartDay() const { return m_monthStartDay ? m_monthStartDay() : 1; }
    void setMonthSummaryHook(MonthSummaryHook hook) { m_monthHook = std::move(hook); }

    // Test seam: wraps the file sink of every save (e.g. a FailAfterSink).
    void setSinkWrapperForTesting(datafile::SinkWrapper wrap) { m_sinkWrapper = std::move(wrap); }
    bool saveBlocked() const { return m_saveBlocked; }

private:
    void resetToNew();

    SerialSettings m_serial;
    MeasurementStore m_store;
    std::uint64_t m_storeRevision = 1;
    DisplaySelection m_selection;
    DaySummary m_monthSummary;

    std::string m_dataFolder;
    std::string m_dataFile;
    bool m_loadPending = true; // the one-shot flag of loadOnce
    bool m_saveBlocked = false;
    bool m_changed = false; // differs from the data file
    std::function<int()> m_monthStartDay;
    MonthSummaryHook m_monthHook;
    datafile::SinkWrapper m_sinkWrapper;
};
