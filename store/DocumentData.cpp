#include "store/DocumentData.h"
#include "store/Aggregation.h"
#include "store/DataFileLoad.h"
#include "store/StoreTexts.h"
#include "support/ArchiveError.h"
#include "support/AtomicFile.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/Prompt.h"
#include "support/Sjis.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

DocumentData::DocumentData() {
    m_monthHook = [this](DaySummary& target, const MeasurementCircuit& circuit, int year,
                         int month) {
        computeMonthSummary(target, circuit, year, month, monthStartDay());
    };
}

void DocumentData::setProgramFolder(const fs::path& folder) {
    m_dataFolder = pathInFolder(folder, datafile::kFolderName);
    m_dataFile = pathInFolder(m_dataFolder, datafile::kFileName);
}

void DocumentData::resetToNew() {
    m_serial = SerialSettings();
    m_store.clear();
    ++m_storeRevision;
}

bool DocumentData::saveToDataFile(Prompt& prompt) {
    if (m_saveBlocked) {
        prompt.tell(formatText(txt::store::kSaveSkipped, displayPath(m_dataFile).c_str()),
                    PromptIcon::Stop);
        return false;
    }
    createFolderPath(m_dataFolder, FolderAccess::UserOnly);
    // The replacement file of the save removes the temporaries that ended runs left.
    const std::string error = saveDataFile(m_dataFile, m_serial, m_store, m_sinkWrapper);
    if (error.empty()) {
        m_changed = false;
        return true;
    }
    prompt.tell(formatText(txt::store::kSaveFailed, error.c_str(), displayPath(m_dataFile).c_str()),
                PromptIcon::Stop);
    return false;
}

bool DocumentData::saveChanges(Prompt& prompt) {
    // A data file removed while the program ran is written again from what it holds.
    std::error_code ec;
    if (!m_changed && fs::exists(m_dataFile, ec))
        return true;
    return saveToDataFile(prompt);
}

bool DocumentData::loadOnce(Prompt& prompt) {
    return prepareLoad(prompt) && finishLoad(readDataFile(m_dataFile), prompt);
}

bool DocumentData::prepareLoad(Prompt& prompt) {
    if (!m_loadPending)
        return false;
    m_loadPending = false;

    std::error_code ec;
    createFolderPath(m_dataFolder, FolderAccess::UserOnly);
    // The caller holds the folder lock: temporaries of ended runs are leftovers.
    removeStaleTemporaries(m_dataFile);
    if (!fs::exists(m_dataFile, ec)) {
        resetToNew();
        if (!saveToDataFile(prompt))
            return false;
    }
    return true;
}

DocumentData::ReadData DocumentData::readDataFile(const fs::path& path,
                                                  std::atomic<uint64_t>* progress) {
    ReadData read;
    read.result = loadDataFile(path, read.serial, read.store, progress);
    return read;
}

bool DocumentData::finishLoad(ReadData read, Prompt& prompt) {
    std::error_code ec;
    const LoadResult& result = read.result;
    if (result.loaded()) {
        m_serial = read.serial;
        m_store = std::move(read.store);
        ++m_storeRevision;
        return true;
    }
    resetToNew();
    if (result.outcome == LoadOutcome::Unreadable || result.outcome == LoadOutcome::Missing) {
        // Whatever is there was not read: never replace it with an empty store at exit.
        m_saveBlocked = fs::exists(m_dataFile, ec);
        prompt.tell(formatText(txt::store::kLoadUnreadable, result.reason.c_str(),
                               displayPath(m_dataFile).c_str()),
                    PromptIcon::Stop);
        return false;
    }
    const sjis::Text message = result.outcome == LoadOutcome::WrongVersion
                                   ? sjis::Text(txt::store::kDataFileVersion)
                                   : sjis::Text(txt::store::kDataFileDamaged);
    std::string text = formatText(message, displayPath(m_dataFile).c_str()).str();
    // The copy keeps the old bytes; the next save writes a sound file in its place.
    m_changed = true;
    const fs::path copy = datafile::copyAside(m_dataFile);
    if (!copy.empty()) {
        text += formatText(txt::store::kCopiedAside, displayPath(copy).c_str());
    } else {
        // Without a copy the original is the only one left: keep it.
        m_saveBlocked = true;
        text += "\n";
        text += formatText(txt::store::kCopyAsideFailed, displayPath(m_dataFile).c_str());
    }
    prompt.tell(sjis::Text(text), PromptIcon::Stop);
    return false;
}

void DocumentData::select(const SelectionTuple& tuple, int displayChannel) {
    DisplaySelection& s = m_selection;
    s.customerIndex = tuple.customerIndex;
    s.circuitIndex = tuple.circuitIndex;
    s.dayIndex = tuple.dayIndex;
    s.year = tuple.year;
    s.month = tuple.month;
    s.displayChannel = displayChannel;
    if (!isSelectionUsable(m_store, tuple)) {
        // Nothing usable: drop the copies too, so no view keeps a circuit that may be gone.
        s.customerName.clear();
        s.circuitName.clear();
        s.day = MeasurementDay();
        s.circuit = nullptr;
        s.monthSummary = nullptr;
        return;
    }
    const Customer& customer = m_store.at(tuple.customerIndex);
    const MeasurementCircuit& circuit = customer.circuits.at(tuple.circuitIndex);
    s.customerName = customer.name;
    s.circuitName = circuit.name;
    s.day = circuit.days.at(tuple.dayIndex);
    s.circuit = &circuit;
    if (tuple.month > 0) {
        if (m_monthHook)
            m_monthHook(m_monthSummary, circuit, tuple.year, tuple.month);
        s.monthSummary = &m_monthSummary;
    } else {
        s.monthSummary = nullptr;
    }
}

void DocumentData::clearSelection() {
    m_selection = DisplaySelection();
}

void DocumentData::replaceStore(MeasurementStore store) {
    m_store = std::move(store);
    ++m_storeRevision;
    m_changed = true;
    // The selection pointed into the old store: find its customer, circuit and day again by
    // their keys and select them anew (indices shift when the edit added or removed anything).
    if (!m_selection.isValid())
        return;
    int customer = m_store.find(m_selection.customerName);
    int circuit = customer < 0 ? -1 : m_store.at(customer).circuits.find(m_selection.circuitName);
    int day = -1;
    if (circuit >= 0) {
        const MeasurementCircuit& c = m_store.at(customer).circuits.at(circuit);
        if (m_selection.isYearly()) {
            day = firstDayInYear(c, m_selection.year, monthStartDay());
        } else if (m_selection.isMonthly()) {
            std::vector<int> days =
                daysInWindow(c, monthWindow(m_selection.year, m_selection.month, monthStartDay()));
            day = days.empty() ? -1 : days.front();
        } else {
            day = c.days.find(m_selection.day.key());
        }
    }
    if (day < 0) {
        clearSelection();
        return;
    }
    select({customer, circuit, day, m_selection.year, m_selection.month},
           m_selection.displayChannel);
}
