#pragma once
#include "analysis/YearReport.h"
#include "app/gui/SelectionSink.h"
#include "link/ReceptionSetup.h"
#include "store/DAT_DisplaySelection.h"
#include "store/DAT_Records.h"
#include "store/DAT_SerialSettings.h"
#include "store/DAT_Store.h"
#include "store/DocumentData.h"
#include <QObject>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CView;
class Prompt;
class QThread;

// The single document: the store, the serial settings, the current selection and the month
// summary, for the whole run. Views reach them through it.
class COrvoViewDoc : public QObject {
    Q_OBJECT
public:
    COrvoViewDoc();
    ~COrvoViewDoc() override;

    // The program-wide current document (the newest one).
    static COrvoViewDoc* current();

    void addView(CView* view);
    void removeView(CView* view);
    const std::vector<CView*>& views() const { return m_views; }
    void updateAllViews(CView* sender, int hint, const void* object = nullptr);

    void setSelectionSink(SelectionSink* sink) { m_sink = sink; }
    // Month start day of the report months: the settings own it, the document data asks them.
    void setMonthStartDay(std::function<int()> owner) { m_data.setMonthStartDay(std::move(owner)); }
    int monthStartDay() const { return m_data.monthStartDay(); }

    DocumentData& data() { return m_data; }
    MeasurementStore& store() { return m_data.store(); }
    const MeasurementStore& store() const { return m_data.store(); }
    SerialSettings& serial() { return m_data.serial(); }
    const DisplaySelection& currentSelection() const { return m_data.currentSelection(); }
    bool isSelectionValid() const { return m_data.isSelectionValid(); }
    const DaySummary& monthSummary() const { return m_data.monthSummary(); }
    std::uint64_t storeRevision() const { return m_data.storeRevision(); }

    // The figures of a year selection with the circuit's limits as saved now; computed once and
    // kept while the circuit, year, start day and limits stay the same.
    const YearReport& yearReport(const DisplaySelection& selection);

    // Makes the tuple current, refills the frame's lists and scales and tells the views.
    void select(const SelectionTuple& tuple, int displayChannel);
    void clearSelection() { m_data.clearSelection(); }
    // An editing dialog accepted its copy of the store: it becomes the document's store.
    void replaceStore(MeasurementStore store) {
        m_yearKey = {};
        m_data.replaceStore(std::move(store));
    }

    // Data file beside the program: "<folder>/DATA/Orvo.DAT".
    void setProgramFolder(const std::string& folder) { m_data.setProgramFolder(folder); }
    const std::string& dataFolder() const { return m_data.dataFolder(); }
    const std::string& dataFilePath() const { return m_data.dataFilePath(); }
    // Loads the data file the first time only (creating the folder and an empty file first).
    void loadOnce(Prompt& prompt);
    // The same for the start: a file of kBackgroundLoadBytes or more is read on a worker thread
    // while the window shows its progress; loadFinished() follows once it is in and its
    // messages were told (at once for a smaller file).
    static constexpr uint64_t kBackgroundLoadBytes = 32u << 20;
    void startLoad(Prompt& prompt);
    bool isLoading() const { return m_loader != nullptr; }
    // Waits for a load in progress and takes it in (the exit during the start).
    void finishLoadNow();
    // Bytes of the data file read so far, of loadBytes().
    uint64_t loadedBytes() const { return m_loadedBytes.load(std::memory_order_relaxed); }
    uint64_t loadBytes() const { return m_loadBytes; }
    // Test seams: the size from which the load runs on the worker, and what the worker does
    // before it reads (a test holds the load there).
    void setBackgroundLoadBytesForTesting(uint64_t bytes) { m_backgroundBytes = bytes; }
    void setBeforeReadForTesting(std::function<void()> hook) { m_beforeRead = std::move(hook); }
    // Writes the whole document to the data file; false (after a message) when it failed.
    bool saveToDataFile(Prompt& prompt) { return m_data.saveToDataFile(prompt); }
    // Writes the data file when the document changed (after every confirmed change, at exit).
    bool saveChanges(Prompt& prompt) { return m_data.saveChanges(prompt); }
    void markChanged() { m_data.markChanged(); }
    bool hasUnsavedChanges() const { return m_data.hasUnsavedChanges(); }
    bool isLoaded() const { return m_loaded; }

    // Where receptions find the INI file and the program log (set by the start sequence).
    void setReceptionSite(ReceptionSite site) { m_receptionSite = std::move(site); }
    // A serial reception with the document's serial settings and the INI keys as they read
    // now; a file import sets fromFile and filePath on it.
    ReceptionRequest receptionRequest() const {
        return makeReceptionRequest(m_data.serial(), m_receptionSite);
    }
    // Which device each port number means (section "Port" of the INI).
    PortDeviceLookup portDevices() const { return receptionRequest().deviceLookup; }
    // Where the communication settings store the device of a port (section "Port").
    PortDeviceStore portDeviceStore() const {
        return m_receptionSite.iniFile.empty() ? PortDeviceStore{}
                                               : portDeviceStoreInIni(m_receptionSite.iniFile);
    }

signals:
    void titleChanged(const QString& title);
    void loadFinished();

private:
    void takeLoad(DocumentData::ReadData read);

    std::vector<CView*> m_views;
    SelectionSink* m_sink = nullptr;
    DocumentData m_data;
    struct YearKey {
        const MeasurementCircuit* circuit = nullptr;
        int year = -1;
        int startDay = 0;
        CircuitLimits limits;
        bool operator==(const YearKey&) const = default;
    };
    YearKey m_yearKey;
    YearReport m_yearReport;
    ReceptionSite m_receptionSite;
    bool m_loaded = false;
    std::unique_ptr<QThread> m_loader;
    std::unique_ptr<DocumentData::ReadData> m_read; // the worker's result
    Prompt* m_loadPrompt = nullptr;
    std::atomic<uint64_t> m_loadedBytes{0};
    uint64_t m_loadBytes = 0;
    uint64_t m_backgroundBytes = kBackgroundLoadBytes;
    std::function<void()> m_beforeRead;
};
