#pragma once
#include "analysis/CircuitLimits.h"
#include "app/MessageBoxPrompt.h"
#include "app/View.h"

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
    // Writes the controls' limits for the shown circuit and shows the report again.
    bool saveLimits();

private:
    void refill();
    void fillTable(QTableWidget* table, QLabel* title, const AnalysisTable& content);
    void updateBandControls();

    const DisplaySelection* m_selection = nullptr;
    MessageBoxPrompt m_ownPrompt;
    Prompt* m_prompt = &m_ownPrompt;
    QDoubleSpinBox* m_contract = nullptr;
    QComboBox* m_band = nullptr;
    QDoubleSpinBox* m_bandLow = nullptr;
    QDoubleSpinBox* m_bandHigh = nullptr;
    QDoubleSpinBox* m_powerFactor = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_heading = nullptr;
    QTableWidget* m_tables[4] = {};
    QLabel* m_titles[4] = {};
};
