#pragma once
#include "analysis/AnalysisSettings.h"
#include "analysis/CircuitLimits.h"
#include "analysis/DayResults.h"
#include "analysis/Overlay.h"
#include "app/gui/MessageBoxPrompt.h"
#include "app/gui/View.h"
#include "views/graph/GraphPage.h"
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;
class AnalysisPrintPage;
class DeviceContext;
struct AnalysisTable;
struct Rect;
struct DisplaySelection;

// The 分析 view: the limits of the shown circuit (kept in the DATA folder's analysis settings)
// and the demand, statistics, largest half-hours and gaps of the shown report.
class CViewAnalysis : public CView {
    Q_OBJECT
public:
    explicit CViewAnalysis(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~CViewAnalysis() override;

    void onUpdate(CView* sender, int hint, const void* object) override;
    // Failures of saving are told here (tests pass a scripted prompt).
    void setPrompt(Prompt* prompt) { m_prompt = prompt; }

    // The limits as the controls show them, and back.
    CircuitLimits limitsFromControls() const;
    void showLimits(const CircuitLimits& limits);
    // Writes the controls' limits and the print choice and shows the report again.
    bool saveLimits();

    // What the graph compares the shown report with.
    const OverlayChoice& overlayChoice() const { return m_overlay; }
    // The limits in force for the shown circuit (as last saved or shown).
    const CircuitLimits& shownLimits() const { return m_limits; }

    // What the analysis draws into the graph view's charts (gaps, limit lines, comparison).
    GraphPage::Extension graphExtension();
    // The user chose an analysis page after the graph page (read from the settings file).
    bool printPageWanted();
    // Builds and draws the analysis page of the selection to print (hint 102).
    void printAnalysisPage(DeviceContext& dc, const Rect& printArea, int page, int pageCount);

    // Times the settings file was read: once per selection, never per refill or paint.
    int settingsReads() const { return m_settingsReads; }
    // Days whose results were computed since the circuit or the store last changed.
    int computedDays() const { return m_days.computedDays(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refill();
    void fillTable(QTableWidget* table, QLabel* title, const AnalysisTable& content);
    void updateBandControls();
    void fillOverlayList();
    CircuitLimits limitsFor(const DisplaySelection& selection);
    const AnalysisSettings& settings();
    void readSettings();
    std::uint64_t storeRevision() const;
    void onOverlayChanged();

    const DisplaySelection* m_selection = nullptr;
    const DisplaySelection* m_printSelection = nullptr;
    std::unique_ptr<AnalysisPrintPage> m_printLayout;
    MessageBoxPrompt m_ownPrompt;
    Prompt* m_prompt = &m_ownPrompt;
    QDoubleSpinBox* m_contract = nullptr;
    QComboBox* m_band = nullptr;
    QDoubleSpinBox* m_bandLow = nullptr;
    QDoubleSpinBox* m_bandHigh = nullptr;
    QDoubleSpinBox* m_powerFactor = nullptr;
    QPushButton* m_save = nullptr;
    QCheckBox* m_overlayShown = nullptr;
    QComboBox* m_overlayOf = nullptr;
    QCheckBox* m_printPage = nullptr;
    QPushButton* m_header = nullptr;
    OverlayChoice m_overlay;
    std::vector<OverlayOption> m_overlayOptions;
    std::string m_overlayCircuit; // customer and circuit the overlay choice was made for
    struct OverlayListKey {
        const MeasurementCircuit* circuit = nullptr;
        std::uint64_t revision = 0;
        bool monthly = false;
        int startDay = 0;
        bool operator==(const OverlayListKey&) const = default;
    } m_overlayListKey;
    AnalysisSettings m_settings;
    bool m_settingsRead = false;
    int m_settingsReads = 0;
    DayResultsCache m_days; // per-day results of the shown circuit
    CircuitLimits m_limits;
    bool m_stale = false; // a selection came while hidden
    QLabel* m_heading = nullptr;
    QTableWidget* m_tables[4] = {};
    QLabel* m_titles[4] = {};
};
