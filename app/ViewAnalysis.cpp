#include "app/ViewAnalysis.h"

#include "analysis/AnalysisSettings.h"
#include "analysis/AnalysisTables.h"
#include "analysis/AnalysisTexts.h"
#include "app/OrvoViewDoc.h"
#include "app/UpdateHints.h"
#include "res/ResourceIds.h"
#include "support/Format.h"
#include "support/Sjis.h"
#include "textout/ValueFormat.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString fromLocal(const std::string& cp932) {
    return QString::fromStdString(sjis::toUtf8(cp932));
}

template <class W> W* tagged(W* widget, int id, const char* name) {
    widget->setProperty("controlId", id);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QDoubleSpinBox* spinBox(QWidget* parent, int id, const char* name, double maximum, int decimals) {
    auto* box = tagged(new QDoubleSpinBox(parent), id, name);
    box->setRange(0.0, maximum);
    box->setDecimals(decimals);
    box->setAccelerated(true);
    return box;
}

// A label with its buddy, so the control is named by the label.
QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove('&'));
    return label;
}

} // namespace

CViewAnalysis::CViewAnalysis(COrvoViewDoc* document, QWidget* parent)
    : CView(document, parent), m_ownPrompt(this) {
    setObjectName("CViewAnalysis");
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    m_contract = spinBox(this, res::IDC_ANA_CONTRACT, "contractDemand", 1000000.0, 1);
    m_contract->setSpecialValueText(QStringLiteral("なし"));
    m_band = tagged(new QComboBox(this), res::IDC_ANA_BAND, "voltageBand");
    m_band->addItems({QStringLiteral("自動"), QStringLiteral("101±6V"), QStringLiteral("202±20V"),
                      QStringLiteral("指定"), QStringLiteral("なし")});
    m_bandLow = spinBox(this, res::IDC_ANA_BAND_LOW, "voltageLow", 100000.0, 1);
    m_bandHigh = spinBox(this, res::IDC_ANA_BAND_HIGH, "voltageHigh", 100000.0, 1);
    m_powerFactor = spinBox(this, res::IDC_ANA_PF, "powerFactorThreshold", 100.0, 1);
    m_save = tagged(new QPushButton(QStringLiteral("設定を保存(&W)"), this), res::IDC_ANA_SAVE,
                    "saveLimits");
    m_save->setAccessibleName(QStringLiteral("設定を保存"));

    auto* limits = new QHBoxLayout;
    limits->addWidget(buddyLabel(QStringLiteral("契約電力(kW)(&K):"), m_contract, this));
    limits->addWidget(m_contract);
    limits->addWidget(buddyLabel(QStringLiteral("電圧範囲(&B):"), m_band, this));
    limits->addWidget(m_band);
    limits->addWidget(buddyLabel(QStringLiteral("下限(V)(&L):"), m_bandLow, this));
    limits->addWidget(m_bandLow);
    limits->addWidget(buddyLabel(QStringLiteral("上限(V)(&U):"), m_bandHigh, this));
    limits->addWidget(m_bandHigh);
    limits->addWidget(buddyLabel(QStringLiteral("力率基準(%)(&F):"), m_powerFactor, this));
    limits->addWidget(m_powerFactor);
    limits->addWidget(m_save);
    limits->addStretch(1);

    m_heading = tagged(new QLabel(this), res::IDC_ANA_HEADING, "analysisHeading");
    const int ids[4] = {res::IDC_ANA_DEMAND, res::IDC_ANA_STATISTICS, res::IDC_ANA_LARGEST,
                        res::IDC_ANA_GAPS};
    const char* names[4] = {"demandTable", "statisticsTable", "largestTable", "gapsTable"};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_tables[i] = tagged(new QTableWidget(this), ids[i], names[i]);
        m_tables[i]->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_tables[i]->verticalHeader()->setVisible(false);
        // Compact rows: the figures, not the padding, should fill the view.
        m_tables[i]->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        m_tables[i]->horizontalHeader()->setStretchLastSection(true);
        m_titles[i] = new QLabel(this);
        m_titles[i]->setBuddy(m_tables[i]);
        grid->addWidget(m_titles[i], (i / 2) * 2, i % 2);
        grid->addWidget(m_tables[i], (i / 2) * 2 + 1, i % 2);
    }
    grid->setRowStretch(1, 3);
    grid->setRowStretch(3, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(limits);
    layout->addWidget(m_heading);
    layout->addLayout(grid, 1);

    setTabOrder(m_contract, m_band);
    setTabOrder(m_band, m_bandLow);
    setTabOrder(m_bandLow, m_bandHigh);
    setTabOrder(m_bandHigh, m_powerFactor);
    setTabOrder(m_powerFactor, m_save);
    for (int i = 0; i < 4; ++i)
        setTabOrder(i == 0 ? static_cast<QWidget*>(m_save) : m_tables[i - 1], m_tables[i]);

    connect(m_band, &QComboBox::currentIndexChanged, this, &CViewAnalysis::updateBandControls);
    connect(m_save, &QPushButton::clicked, this, &CViewAnalysis::saveLimits);
    showLimits(CircuitLimits());
    refill();
}

void CViewAnalysis::onUpdate(CView*, int hint, const void* object) {
    if (hint != hint::Select)
        return;
    if (object)
        m_selection = static_cast<const DisplaySelection*>(object);
    if (m_selection && m_selection->isValid() && document())
        showLimits(AnalysisSettings::load(analysisSettingsPath(document()->dataFolder()))
                       .limitsFor(m_selection->customerName, m_selection->circuitName));
    refill();
}

CircuitLimits CViewAnalysis::limitsFromControls() const {
    CircuitLimits l;
    l.contractDemand = m_contract->value() * 1000.0;
    l.band = static_cast<VoltageBandKind>(m_band->currentIndex());
    l.userLow = m_bandLow->value();
    l.userHigh = m_bandHigh->value();
    l.powerFactorThreshold = m_powerFactor->value();
    return l;
}

void CViewAnalysis::showLimits(const CircuitLimits& l) {
    m_contract->setValue(l.contractDemand / 1000.0);
    m_band->setCurrentIndex(static_cast<int>(l.band));
    m_bandLow->setValue(l.userLow);
    m_bandHigh->setValue(l.userHigh);
    m_powerFactor->setValue(l.powerFactorThreshold);
    updateBandControls();
}

void CViewAnalysis::updateBandControls() {
    const bool user = m_band->currentIndex() == static_cast<int>(VoltageBandKind::User);
    m_bandLow->setEnabled(user);
    m_bandHigh->setEnabled(user);
}

bool CViewAnalysis::saveLimits() {
    if (!m_selection || !m_selection->isValid() || !document())
        return false;
    const std::string path = analysisSettingsPath(document()->dataFolder());
    AnalysisSettings settings = AnalysisSettings::load(path);
    settings.setLimits(m_selection->customerName, m_selection->circuitName, limitsFromControls());
    std::error_code error;
    if (!settings.save(path, error)) {
        m_prompt->tell(formatText(analysis::txt::kSaveFailed, path.c_str()), PromptIcon::Stop);
        return false;
    }
    refill();
    return true;
}

void CViewAnalysis::refill() {
    const bool valid = m_selection && m_selection->isValid();
    for (QWidget* w : std::initializer_list<QWidget*>{m_contract, m_band, m_powerFactor, m_save})
        w->setEnabled(valid);
    if (!valid) {
        m_heading->clear();
        for (int i = 0; i < 4; ++i)
            fillTable(m_tables[i], m_titles[i], AnalysisTable());
        updateBandControls();
        return;
    }
    const ReportAnalysis analysis = analyseSelection(*m_selection, limitsFromControls(),
                                                     document() ? document()->monthStartDay() : 1);
    const DaySummary& summary = m_selection->isMonthly() && m_selection->monthSummary
                                    ? *m_selection->monthSummary
                                    : m_selection->day.data.summary;
    const std::vector<AnalysisTable> tables = analysisTables(analysis, UseKilowatts(summary));
    const std::string period =
        m_selection->isMonthly()
            ? formatText("%04d/%02d (%s - %s)", analysis.year, analysis.month,
                         analysis.window.start.format("%Y/%m/%d").c_str(),
                         analysis.window.end.addDays(-1).format("%Y/%m/%d").c_str())
            : m_selection->day.date.format("%Y/%m/%d");
    m_heading->setText(fromLocal(m_selection->customerName) + QStringLiteral("  ") +
                       fromLocal(m_selection->circuitName) + QStringLiteral("  ") +
                       QString::fromStdString(period));
    for (int i = 0; i < 4 && i < static_cast<int>(tables.size()); ++i)
        fillTable(m_tables[i], m_titles[i], tables[static_cast<std::size_t>(i)]);
}

void CViewAnalysis::fillTable(QTableWidget* table, QLabel* title, const AnalysisTable& content) {
    title->setText(fromLocal(content.title));
    table->setAccessibleName(title->text());
    table->clear();
    table->setColumnCount(static_cast<int>(content.header.size()));
    table->setRowCount(static_cast<int>(content.rows.size()));
    QStringList header;
    for (const std::string& h : content.header)
        header << fromLocal(h);
    table->setHorizontalHeaderLabels(header);
    for (int r = 0; r < table->rowCount(); ++r) {
        const auto& row = content.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < table->columnCount() && c < static_cast<int>(row.size()); ++c)
            table->setItem(r, c, new QTableWidgetItem(fromLocal(row[static_cast<std::size_t>(c)])));
    }
    table->resizeColumnsToContents();
}
