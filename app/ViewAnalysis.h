#pragma once
#include "analysis/CircuitLimits.h"
#include "analysis/Overlay.h"
#include "app/MessageBoxPrompt.h"
#include "app/View.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;
struct AnalysisTable;
struct DisplaySelection;

// The 分析 view: the limits of the shown circuit (kept in the DATA folder's analysis settings)
// and the demand, statistics, largest half-hours and gaps of the shown report.
class CViewAnalysis : public CView {
    Q_OBJECT
public:
    explicit CViewAnalysis(COrvoViewDoc* document, QWidget* parent = nullptr);

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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refill();
    void fillTable(QTableWidget* table, QLabel* title, const AnalysisTable& content);
    void updateBandControls();
    void fillOverlayList();
    void onOverlayChanged();

    const DisplaySelection* m_selection = nullptr;
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
    OverlayChoice m_overlay;
    CircuitLimits m_limits;
    bool m_stale = false; // a selection came while hidden
    QLabel* m_heading = nullptr;
    QTableWidget* m_tables[4] = {};
    QLabel* m_titles[4] = {};
};
