#include "app/gui/ViewAnalysis.h"
#include "app/gui/FlowLayout.h"

#include "analysis/AnalysisSettings.h"
#include "analysis/AnalysisTexts.h"
#include "app/gui/DataCommands.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/PageView.h"
#include "app/gui/UpdateHints.h"
#include "res/ResourceIds.h"
#include "support/FilePath.h"
#include "support/Format.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "textout/ReportHeader.h"
#include "textout/ValueFormat.h"
#include "views/analysis/AnalysisPrintPage.h"
#include "views/analysis/AnalysisTables.h"
#include "views/analysis/ChartMarks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

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
    return dialog::labelFor(text, buddy, parent);
}

// Controls that stay together in one row of the settings.
QWidget* group(QWidget* parent, std::initializer_list<QWidget*> controls) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls)
        row->addWidget(control);
    return box;
}

} // namespace

CViewAnalysis::CViewAnalysis(COrvoViewDoc* document, QWidget* parent)
    : CView(document, parent), m_ownPrompt(this) {
    setObjectName("CViewAnalysis");
    setAccessibleName(QStringLiteral("分析"));
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
    dialog::nameAfterText(m_save);

    m_overlayShown = tagged(new QCheckBox(QStringLiteral("グラフに比較を表示(&C)"), this),
                            res::IDC_ANA_OVERLAY, "overlayShown");
    m_overlayShown->setChecked(m_overlay.shown);
    dialog::nameAfterText(m_overlayShown);
    m_overlayOf = tagged(new QComboBox(this), res::IDC_ANA_OVERLAY_OF, "overlayOf");
    m_overlayOf->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_printPage = tagged(new QCheckBox(QStringLiteral("印刷・PDFに分析ページを付ける(&P)"), this),
                         res::IDC_ANA_PRINT, "printAnalysisPage");
    dialog::nameAfterText(m_printPage);
    m_header = tagged(new QPushButton(QStringLiteral("報告書ヘッダー(&T)..."), this),
                      res::IDC_ANA_HEADER, "reportHeader");
    dialog::nameAfterText(m_header);
    // The settings in groups that wrap to more rows when the view is narrow.
    auto* settings = new FlowLayout;
    settings->addWidget(group(
        this, {buddyLabel(QStringLiteral("契約電力[kW](&K)："), m_contract, this), m_contract}));
    settings->addWidget(
        group(this, {buddyLabel(QStringLiteral("電圧範囲(&B)："), m_band, this), m_band,
                     buddyLabel(QStringLiteral("下限[V](&L)："), m_bandLow, this), m_bandLow,
                     buddyLabel(QStringLiteral("上限[V](&U)："), m_bandHigh, this), m_bandHigh}));
    settings->addWidget(
        group(this, {buddyLabel(QStringLiteral("力率基準[%](&R)："), m_powerFactor, this),
                     m_powerFactor, m_save}));
    settings->addWidget(
        group(this, {m_overlayShown,
                     buddyLabel(QStringLiteral("比較するデータ(&D)："), m_overlayOf, this),
                     m_overlayOf}));
    settings->addWidget(group(this, {m_printPage, m_header}));

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
    layout->addLayout(settings);
    layout->addWidget(m_heading);
    layout->addLayout(grid, 1);

    setTabOrder(m_contract, m_band);
    setTabOrder(m_band, m_bandLow);
    setTabOrder(m_bandLow, m_bandHigh);
    setTabOrder(m_bandHigh, m_powerFactor);
    setTabOrder(m_powerFactor, m_save);
    setTabOrder(m_save, m_overlayShown);
    setTabOrder(m_overlayShown, m_overlayOf);
    setTabOrder(m_overlayOf, m_printPage);
    setTabOrder(m_printPage, m_header);
    for (int i = 0; i < 4; ++i)
        setTabOrder(i == 0 ? static_cast<QWidget*>(m_header) : m_tables[i - 1], m_tables[i]);

    connect(m_band, &QComboBox::currentIndexChanged, this, &CViewAnalysis::updateBandControls);
    connect(m_save, &QPushButton::clicked, this, &CViewAnalysis::saveLimits);
    connect(m_header, &QPushButton::clicked, this, [this] {
        if (this->document())
            runReportHeaderDialog(*this->document(), *m_prompt, this);
    });
    connect(m_overlayShown, &QCheckBox::toggled, this, &CViewAnalysis::onOverlayChanged);
    connect(m_overlayOf, &QComboBox::activated, this, &CViewAnalysis::onOverlayChanged);
    showLimits(CircuitLimits());
    refill();
}

CViewAnalysis::~CViewAnalysis() = default;

void CViewAnalysis::onUpdate(CView* sender, int hint, const void* object) {
    if (hint == hint::PrintSelect) {
        if (object)
            m_printSelection = static_cast<const DisplaySelection*>(object);
        return;
    }
    // Its own notices (a new overlay or saved limits) must not undo what is being edited.
    if (hint != hint::Select || sender == this)
        return;
    if (object)
        m_printSelection = static_cast<const DisplaySelection*>(object);
    if (object) {
        const auto* selection = static_cast<const DisplaySelection*>(object);
        // The document hands the same selection object each time: the circuit is told by its
        // names, which outlive a replaced store.
        const std::string circuit = selection->customerName + '\0' + selection->circuitName;
        if (circuit != m_overlayCircuit) {
            const bool shown = m_overlay.shown;
            m_overlay = OverlayChoice();
            m_overlay.shown = shown; // a day or month of another circuit means nothing here
            m_overlayCircuit = circuit;
        }
        m_selection = selection;
    }
    if (object && m_selection->isValid() && document()) {
        // Read once per selection; refills and paints until the next one use what was read.
        readSettings();
        m_limits = m_settings.limitsFor(m_selection->customerName, m_selection->circuitName);
        showLimits(m_limits);
        m_printPage->setChecked(m_settings.printAnalysisPage());
    }
    fillOverlayList();
    // A month of minutes takes a moment: the tables are filled when they are seen.
    if (isVisible())
        refill();
    else
        m_stale = true;
}

void CViewAnalysis::showEvent(QShowEvent* event) {
    CView::showEvent(event);
    if (m_stale) {
        m_stale = false;
        refill();
    }
}

void CViewAnalysis::fillOverlayList() {
    QSignalBlocker block(m_overlayOf);
    const bool valid = m_selection && m_selection->isValid() && m_selection->circuit;
    const bool monthly = valid && m_selection->isMonthly();
    // The list changes with the circuit and the report kind only; a day change just moves
    // the current entry.
    const OverlayListKey key{valid ? m_selection->circuit : nullptr, storeRevision(), monthly,
                             document() ? document()->monthStartDay() : 1};
    if (!(key == m_overlayListKey)) {
        m_overlayListKey = key;
        m_overlayOptions = valid ? overlayOptions(*m_selection->circuit, monthly, key.startDay)
                                 : std::vector<OverlayOption>();
        m_overlayOf->clear();
        for (const OverlayOption& o : m_overlayOptions)
            m_overlayOf->addItem(qtFromCp932(o.label));
    }
    if (!m_overlayOptions.empty())
        m_overlayOf->setCurrentIndex(
            static_cast<int>(chosenOverlayOption(m_overlayOptions, m_overlay, monthly)));
}

void CViewAnalysis::onOverlayChanged() {
    m_overlay.shown = m_overlayShown->isChecked();
    const int index = m_overlayOf->currentIndex();
    if (index >= 0 && index < static_cast<int>(m_overlayOptions.size())) {
        // A day chosen for daily reports stays while a month is chosen, and the other way round.
        const OverlayChoice& picked = m_overlayOptions[static_cast<std::size_t>(index)].choice;
        if (m_overlayListKey.monthly) {
            m_overlay.year = picked.year;
            m_overlay.month = picked.month;
        } else {
            m_overlay.day = picked.day;
        }
    }
    if (document())
        document()->updateAllViews(this, hint::Select, nullptr);
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
    const std::filesystem::path path = analysisSettingsPath(document()->dataFolder());
    // The file as it is now, so that nothing written meanwhile is lost.
    readSettings();
    AnalysisSettings settings = m_settings;
    settings.setLimits(m_selection->customerName, m_selection->circuitName, limitsFromControls());
    settings.setPrintAnalysisPage(m_printPage->isChecked());
    std::error_code error;
    if (!settings.save(path, error)) {
        m_prompt->tell(formatText(txt::analysis::kSaveFailed, displayPath(path).c_str()),
                       PromptIcon::Stop);
        return false;
    }
    m_settings = std::move(settings);
    m_limits = limitsFromControls();
    refill();
    if (document())
        document()->updateAllViews(this, hint::Select, nullptr); // the graph's limit lines
    return true;
}

void CViewAnalysis::refill() {
    const bool valid = m_selection && m_selection->isValid();
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_contract, m_band, m_powerFactor, m_save, m_overlayShown,
                                         m_overlayOf, m_printPage, m_header})
        w->setEnabled(valid);
    if (!valid) {
        m_heading->clear();
        for (int i = 0; i < 4; ++i)
            fillTable(m_tables[i], m_titles[i], AnalysisTable());
        updateBandControls();
        return;
    }
    const ReportAnalysis analysis =
        analyseSelection(m_days, storeRevision(), *m_selection, limitsFromControls(),
                         document() ? document()->monthStartDay() : 1);
    const DaySummary& summary = m_selection->isMonthly() && m_selection->monthSummary
                                    ? *m_selection->monthSummary
                                    : m_selection->day.data.summary;
    const std::vector<AnalysisTable> tables =
        analysisTables(analysis, UseKilowatts(summary), UseKilovolts(summary));
    m_heading->setText(qtFromCp932(
        analysisHeading(analysis, m_selection->customerName, m_selection->circuitName)));
    for (int i = 0; i < 4 && i < static_cast<int>(tables.size()); ++i)
        fillTable(m_tables[i], m_titles[i], tables[static_cast<std::size_t>(i)]);
}

void CViewAnalysis::fillTable(QTableWidget* table, QLabel* title, const AnalysisTable& content) {
    title->setText(qtFromCp932(content.title));
    dialog::nameAfter(title, table);
    table->clear();
    table->setColumnCount(static_cast<int>(content.header.size()));
    table->setRowCount(static_cast<int>(content.rows.size()));
    QStringList header;
    for (const std::string& h : content.header)
        header << qtFromCp932(h);
    table->setHorizontalHeaderLabels(header);
    for (int r = 0; r < table->rowCount(); ++r) {
        const auto& row = content.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < table->columnCount() && c < static_cast<int>(row.size()); ++c)
            table->setItem(r, c,
                           new QTableWidgetItem(qtFromCp932(row[static_cast<std::size_t>(c)])));
    }
    table->resizeColumnsToContents();
}

void CViewAnalysis::readSettings() {
    if (!document())
        return;
    m_settings = AnalysisSettings::load(analysisSettingsPath(document()->dataFolder()));
    m_settingsRead = true;
    ++m_settingsReads;
}

const AnalysisSettings& CViewAnalysis::settings() {
    if (!m_settingsRead)
        readSettings();
    return m_settings;
}

std::uint64_t CViewAnalysis::storeRevision() const {
    return document() ? document()->storeRevision() : 0;
}

CircuitLimits CViewAnalysis::limitsFor(const DisplaySelection& selection) {
    if (!document() || !selection.isValid())
        return {};
    return settings().limitsFor(selection.customerName, selection.circuitName);
}

GraphPage::Extension CViewAnalysis::graphExtension() {
    // The graph may refill before this view hears of a new selection: the limits are read
    // for the selection the graph draws.
    return [this](GraphPage::ChartKind kind, TimeChart& chart, const GraphPage::FillContext& c) {
        if (!c.selection)
            return;
        const ChartRole role = kind == GraphPage::PowerChart     ? ChartRole::Power
                               : kind == GraphPage::VoltageChart ? ChartRole::Voltage
                                                                 : ChartRole::Current;
        const ChartFill fill{c.selection, c.start, c.kilowatts, c.kilovolts, c.printing};
        const bool sameCircuit = m_selection && m_selection->circuit == c.selection->circuit;
        addAnalysisMarks(role, chart, fill, c.printing ? CircuitLimits() : limitsFor(*c.selection),
                         sameCircuit ? m_overlay : OverlayChoice(),
                         document() ? document()->monthStartDay() : 1);
    };
}

bool CViewAnalysis::printPageWanted() {
    return document() && settings().printAnalysisPage();
}

void CViewAnalysis::printAnalysisPage(DeviceContext& dc, const Rect& printArea, int page,
                                      int pageCount) {
    if (!m_printSelection)
        return;
    if (!m_printLayout)
        m_printLayout = std::make_unique<AnalysisPrintPage>();
    // A period prints many days of one circuit: their results are kept like the screen's.
    const ReportAnalysis analysis =
        analyseSelection(m_days, storeRevision(), *m_printSelection, limitsFor(*m_printSelection),
                         document() ? document()->monthStartDay() : 1);
    const std::optional<ReportHeader> header =
        document()
            ? ReportHeaderSettings::load(reportHeaderPath(document()->dataFolder()))
                  .printedHeader(m_printSelection->customerName, m_printSelection->circuitName)
            : std::nullopt;
    m_printLayout->build(dc, *m_printSelection, analysis, page, pageCount,
                         header ? &*header : nullptr);
    CPageView::drawPrintedPage(*m_printLayout->root(), dc, printArea);
}
