#include "app/gui/MainFrame.h"
#include "app/AppSettings.h"
#include "app/AppTexts.h"
#include "app/Commands.h"
#include "app/gui/AboutDialog.h"
#include "app/gui/DataCommands.h"
#include "app/gui/LoadProgress.h"
#include "app/gui/OrvoViewView.h"
#include "app/gui/SelectorBar.h"
#include "app/gui/UpdateHints.h"
#include "app/gui/ViewAnalysis.h"
#include "app/gui/ViewGraph.h"
#include "app/gui/ViewNull.h"
#include "app/gui/ViewSheet.h"
#include "link/gui/D_SetSerial.h"
#include "res/ResourceIds.h"
#include "store/Aggregation.h"
#include "store/DAT_DataFile.h"
#include "store/gui/D_CustEdit.h"
#include "support/FilePath.h"
#include "support/gui/AccessibleMenus.h"
#include "support/gui/DialogFrames.h"
#include "support/gui/PaneSplitter.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"
#include "textout/ValueFormat.h"
#include "transfer/SelectDataRules.h"
#include "transfer/SelectionRules.h"
#include "transfer/gui/D_ReadData.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWindow>
#include <cstdio>

namespace {

// Selects the entry the scale rule presets for the maximum.
void presetBox(QComboBox* box, const std::vector<int>& entries, double maximum) {
    const int index = selection::scalePresetIndex(entries, maximum);
    if (index >= 0 && index < box->count())
        box->setCurrentIndex(index);
}

// Fills a date list with its entries and selects `current` (or the first entry).
void fillList(QComboBox* box, const std::vector<std::string>& entries, const std::string& current) {
    box->clear();
    for (const std::string& e : entries)
        box->addItem(qtFromCp932(e));
    const bool found = !current.empty() && CSelectorBar::selectText(box, qtFromCp932(current));
    if (!found && box->count() > 0)
        box->setCurrentIndex(0);
}

// The chosen entry of a date list as the core made it (its own CP932 texts).
std::string entryText(const QComboBox* box) {
    return cp932FromQt(box->currentText()).value_or(std::string());
}

selection::ReportKind kindOf(const CSelectorBar* bar) {
    return bar->isYearly()    ? selection::ReportKind::Yearly
           : bar->isMonthly() ? selection::ReportKind::Monthly
                              : selection::ReportKind::Daily;
}

// A freedesktop icon from the theme, else the program's own drawing of it.
QIcon commandIcon(const char* name) {
    return QIcon::fromTheme(
        QString::fromLatin1(name),
        QIcon(QStringLiteral(":/icons/commands/%1.svg").arg(QLatin1String(name))));
}

CMainFrame* s_current = nullptr;

} // namespace

CMainFrame* CMainFrame::current() {
    return s_current;
}

CMainFrame::CMainFrame(COrvoViewDoc* document, AppSettings* settings, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_settings(settings), m_prompt(this) {
    setObjectName("mainFrame");
    setProperty("controlId", res::IDR_MAINFRAME);
    resize(1024, 720);
    // Menu commands read out by the naming rule of the dialogs, not with "(P)" and "\tCtrl+P".
    installAccessibleMenuNames();
    installDialogFrames();
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildClientPane();
    enableViewCommand(ViewSheet);
    enableViewCommand(ViewGraph);
    enableViewCommand(ViewAnalysis);
    enablePrintCommands();
    applyPlacement();
    updateTitle();
    m_document->setSelectionSink(this);
    m_dataCommands = new DataCommands(this, m_settings);
    connect(m_document, &COrvoViewDoc::titleChanged, this, [this] { updateTitle(); });
    setCommandHandler(res::ID_SERIAL_SETTINGS, [this] { onSerialSettings(); });
    updateCommandUi();
    s_current = this;
}

CMainFrame::~CMainFrame() {
    if (s_current == this)
        s_current = nullptr;
    if (m_document) {
        // The load tells its messages through this window's prompt: it ends while that lives.
        m_document->finishLoadNow();
        m_document->setSelectionSink(nullptr);
    }
}

QAction* CMainFrame::addCommand(QMenu* menu, const CommandSpec& spec) {
    const QString text = QString::fromUtf8(spec.text);
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(spec.id));
    action->setProperty("controlId", spec.id);
    // The tool buttons read out the plain command, not its access key and shortcut.
    const QString plain = QString::fromStdString(plainCommandText(spec.text));
    action->setIconText(plain);
    action->setStatusTip(plain);
    action->setToolTip(plain);
    if (*spec.shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
    action->setCheckable(spec.checkable);
    action->setChecked(spec.checkable);
    menu->addAction(action);
    m_actions.insert(spec.id, action);
    const int id = spec.id;
    connect(action, &QAction::triggered, this, [this, id] {
        if (auto it = m_handlers.find(id); it != m_handlers.end() && it.value())
            it.value()();
    });
    return action;
}

void CMainFrame::buildMenus() {
    const std::pair<CommandMenu, const char*> menus[] = {{CommandMenu::File, "fileMenu"},
                                                         {CommandMenu::Edit, "editMenu"},
                                                         {CommandMenu::View, "viewMenu"},
                                                         {CommandMenu::Help, "helpMenu"}};
    for (const auto& [which, objectName] : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuTitle(which)));
        menu->setObjectName(QString::fromLatin1(objectName));
        for (const CommandSpec& spec : commandTable()) {
            if (spec.menu != which)
                continue;
            if (spec.id == 0)
                menu->addSeparator();
            else
                addCommand(menu, spec);
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandUi);
    }

    // The frame's own commands.
    m_handlers.insert(res::ID_APP_EXIT, [this] { close(); });
    m_handlers.insert(res::ID_APP_ABOUT, [this] { onAbout(); });
    m_handlers.insert(res::ID_READ_DATA, [this] { onReadData(); });
    m_handlers.insert(res::ID_CUST_EDIT, [this] { onCustEdit(); });
    m_handlers.insert(res::ID_VIEW_TOOLBAR, [this] {
        m_toolBar->setVisible(m_actions.value(res::ID_VIEW_TOOLBAR)->isChecked());
    });
    m_handlers.insert(res::ID_VIEW_STATUS_BAR, [this] {
        statusBar()->setVisible(m_actions.value(res::ID_VIEW_STATUS_BAR)->isChecked());
    });
}

void CMainFrame::buildToolBar() {
    m_toolBar = addToolBar(QStringLiteral("ツール バー"));
    m_toolBar->setObjectName("toolBar");
    m_toolBar->setProperty("controlId", res::IDR_MAINFRAME);
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    for (int id : toolBarCommands()) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.value(id);
        action->setIcon(commandIcon(findCommand(id)->icon));
        m_toolBar->addAction(action);
    }
    connect(m_toolBar, &QToolBar::visibilityChanged, this,
            [this](bool visible) { m_actions.value(res::ID_VIEW_TOOLBAR)->setChecked(visible); });

    // The selector bar sits in its own band under the tool bar.
    addToolBarBreak();
    m_selectorToolBar = addToolBar(QStringLiteral("selector"));
    m_selectorToolBar->setObjectName("selectorToolBar");
    m_selectorToolBar->setMovable(false);
    m_selectorToolBar->toggleViewAction()->setVisible(false);
    m_selectorBar = new CSelectorBar(m_selectorToolBar);
    m_selectorToolBar->addWidget(m_selectorBar);

    connect(m_selectorBar->kind(), &QComboBox::activated, this, &CMainFrame::onKindChanged);
    connect(m_selectorBar->year(), &QComboBox::activated, this, &CMainFrame::onYearChanged);
    connect(m_selectorBar->month(), &QComboBox::activated, this, &CMainFrame::onMonthChanged);
    connect(m_selectorBar->day(), &QComboBox::activated, this, &CMainFrame::reselect);
    connect(m_selectorBar->channel(), &QComboBox::activated, this, &CMainFrame::reselect);
    for (QComboBox* box :
         {m_selectorBar->power(), m_selectorBar->voltage(), m_selectorBar->current()})
        connect(box, &QComboBox::activated, this, &CMainFrame::onScaleChanged);
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("statusBar");
    bar->showMessage(QStringLiteral("レディ"));
    // Lock-key indicators; their state is not readable on every platform, so they stay grey.
    for (const char* name : {"CAPS", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(name), bar);
        label->setObjectName(QString::fromLatin1(name).toLower() + "Indicator");
        label->setEnabled(false);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label);
    }
}

void CMainFrame::buildClientPane() {
    m_splitter = new PaneSplitter(0, this);
    COrvoViewDoc* doc = m_document;
    m_splitter->create(
        "main", this, [doc](QWidget* parent) { return new CViewNull(doc, parent); }, {}, true,
        PaneSplitter::kPaneFirst, 1);
    m_splitter->addView(0, [doc](QWidget* parent) { return new COrvoViewView(doc, parent); });
    m_splitter->addView(0, [doc](QWidget* parent) { return new CViewSheet(doc, parent); });
    m_splitter->addView(0, [doc](QWidget* parent) { return new CViewGraph(doc, parent); });
    m_splitter->addView(0, [doc](QWidget* parent) { return new CViewAnalysis(doc, parent); });
    static_cast<CViewGraph*>(m_splitter->view(0, ViewGraph))
        ->addExtension(
            static_cast<CViewAnalysis*>(m_splitter->view(0, ViewAnalysis))->graphExtension());
    if (m_settings)
        m_splitter->loadPaneSizes(
            [this](const std::string& section, const std::string& key, const std::string& def) {
                return m_settings->readString(section, key, def);
            });
    setCentralWidget(m_splitter);
    m_viewMode = ViewBlank;
    m_splitter->selectView(0, ViewBlank);
}

void CMainFrame::applyPlacement() {
    if (!m_settings || !m_settings->placement)
        return;
    const WindowPlacement& p = *m_settings->placement;
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->availableGeometry();
        screens.push_back(
            {g.left(), g.top(), g.left() + int64_t{g.width()}, g.top() + int64_t{g.height()}});
    }
    // A rectangle without area, larger than the screens or off them (a hand-edited or
    // hostile INI) leaves the default size; what is left fits int.
    if (auto r = usableNormalRect(p, screens))
        setGeometry(static_cast<int>(r->left), static_cast<int>(r->top),
                    static_cast<int>(r->width()), static_cast<int>(r->height()));
    if (p.showCmd == 3)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CMainFrame::recordPlacement() {
    if (!m_settings)
        return;
    WindowPlacement p;
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    p.showCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
    p.minX = p.minY = p.maxX = p.maxY = -1;
    p.left = r.left();
    p.top = r.top();
    p.right = r.left() + r.width();
    p.bottom = r.top() + r.height();
    m_settings->placement = p;
}

void CMainFrame::setCommandHandler(int commandId, std::function<void()> handler) {
    m_handlers.insert(commandId, std::move(handler));
    updateCommandUi();
}

bool CMainFrame::canAct(CommandNeeds needs) const {
    const DisplaySelection& shown = m_document->currentSelection();
    switch (needs) {
    case CommandNeeds::Nothing:
        return true;
    case CommandNeeds::Selection:
        return m_document->isSelectionValid();
    case CommandNeeds::PreviousData:
    case CommandNeeds::NextData:
        // Enabled only where a step lands somewhere else.
        return m_document->isSelectionValid() &&
               steppedSelection(m_document->store(), shown.tuple(),
                                needs == CommandNeeds::NextData ? 1 : -1,
                                m_document->monthStartDay()) != shown.tuple();
    case CommandNeeds::StoredDay: {
        const MeasurementStore& store = m_document->store();
        for (int c = 0; c < store.count(); ++c)
            for (int k = 0; k < store.at(c).circuits.count(); ++k)
                if (store.at(c).circuits.at(k).days.count() > 0)
                    return true;
        return false;
    }
    }
    return false;
}

void CMainFrame::updateCommandUi() {
    // Input that needs the data waits for its load.
    const bool loading = m_document->isLoading();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        const bool handled = m_handlers.contains(it.key()) && m_handlers.value(it.key());
        it.value()->setEnabled(handled && canAct(findCommand(it.key())->needs) &&
                               (!loading || usableWhileLoading(it.key())));
    }
    m_selectorBar->setEnabled(!loading);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_initialUpdateDone)
        initialUpdate();
}

void CMainFrame::initialUpdate() {
    if (m_initialUpdateDone)
        return;
    m_initialUpdateDone = true;
    if (!m_fixedListsFilled) {
        m_fixedListsFilled = true;
        m_selectorBar->fillFixedLists();
    }
    // A large file is read while the window shows; a small one is in when this returns.
    connect(m_document, &COrvoViewDoc::loadFinished, this, [this] {
        updateTitle();
        updateCommandUi();
    });
    m_document->startLoad(m_prompt);
    new LoadProgress(m_document, statusBar());
    updateTitle();
    updateCommandUi();
}

void CMainFrame::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        emit firstPainted();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    m_closed = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // What is still loading is taken in first: its messages, then the one save.
    m_document->finishLoadNow();
    recordPlacement();
    // Every confirmed change was written when it was made: this finds nothing to do unless a
    // save failed then.
    m_document->saveChanges(m_prompt);
    QApplication::restoreOverrideCursor();
    event->accept();
}

void CMainFrame::updateTitle() {
    const QString app = qtFromCp932(txt::app::kProgramName);
    const QString doc =
        m_document->isLoaded() ? QString::fromLatin1(datafile::kFileName) : QStringLiteral("無題");
    setWindowTitle(doc + QStringLiteral(" - ") + app);
}

void CMainFrame::onAbout() {
    // The data folder is "<program folder>/DATA".
    CAboutDlg dialog(qtFromPath(m_document->dataFolder().parent_path()), this);
    dialog.exec();
}

void CMainFrame::onReadData() {
    const ReceptionRequest request = m_document->receptionRequest();
    CReadData dialog(
        m_document->store(),
        [this](MeasurementStore edited) { applyEditedStore(std::move(edited)); }, request, m_prompt,
        this);
    const DisplaySelection& selection = m_document->currentSelection();
    dialog.setInitialSelection(selection.customerIndex, selection.circuitIndex);
    // The file dialog opens in the folder of the last imported file when it still exists.
    const QString start =
        m_settings ? qtFromPath(startFolder(m_settings->importDir, homeFolder())) : QString();
    dialog.setImportFolder(start);
    const int result = dialog.exec();
    if (m_settings && dialog.importFolder() != start) {
        m_settings->importDir = pathFromQt(dialog.importFolder());
        m_settings->profile().putPath("Filepath", "ImportDir", m_settings->importDir);
    }
    if (result == QDialog::Accepted)
        applyEditedStore(dialog.takeStore());
}

void CMainFrame::onCustEdit() {
    CCustEdit dialog(m_document->store(), m_prompt, this);
    if (dialog.exec() == QDialog::Accepted)
        applyEditedStore(dialog.takeStore());
}

// ---- selector bar -------------------------------------------------------------------------

void CMainFrame::onKindChanged() {
    m_selectorBar->showDateBoxesOfKind();
    fillDateLists(true);
    reselect();
}

void CMainFrame::onYearChanged() {
    fillMonths(false);
    fillDays(false);
    reselect();
}

void CMainFrame::onMonthChanged() {
    fillDays(false);
    reselect();
}

void CMainFrame::fillDateLists(bool selectCurrent) {
    CSelectorBar* bar = m_selectorBar;
    const DisplaySelection& sel = m_document->currentSelection();
    if (!sel.circuit) {
        // No circuit: nothing to offer (stale dates of an earlier store would mislead).
        bar->year()->clear();
        bar->month()->clear();
        bar->day()->clear();
        return;
    }
    const int startDay = m_document->monthStartDay();
    const selection::DateEntries current =
        selectCurrent ? selection::entriesOf(sel.day.date, kindOf(bar), startDay)
                      : selection::DateEntries();
    fillList(bar->year(), selection::yearEntries(*sel.circuit, kindOf(bar), startDay),
             current.year);
    fillMonths(selectCurrent);
    fillDays(selectCurrent);
}

void CMainFrame::fillMonths(bool selectCurrent) {
    CSelectorBar* bar = m_selectorBar;
    const DisplaySelection& sel = m_document->currentSelection();
    bar->month()->clear();
    if (!sel.circuit || bar->year()->currentIndex() < 0)
        return;
    const int startDay = m_document->monthStartDay();
    const std::string current =
        selectCurrent ? selection::entriesOf(sel.day.date, kindOf(bar), startDay).month
                      : std::string();
    fillList(bar->month(),
             selection::monthEntries(*sel.circuit, kindOf(bar), startDay, entryText(bar->year())),
             current);
}

void CMainFrame::fillDays(bool selectCurrent) {
    CSelectorBar* bar = m_selectorBar;
    const DisplaySelection& sel = m_document->currentSelection();
    bar->day()->clear();
    if (!sel.circuit || bar->isMonthly() || bar->isYearly() || bar->month()->currentIndex() < 0)
        return;
    const std::string current =
        selectCurrent ? selection::entriesOf(sel.day.date, selection::ReportKind::Daily, 1).day
                      : std::string();
    fillList(bar->day(),
             selection::dayEntries(*sel.circuit, entryText(bar->year()), entryText(bar->month())),
             current);
}

SelectionTuple CMainFrame::readSelectorTuple(int* displayChannel) const {
    CSelectorBar* bar = m_selectorBar;
    const DisplaySelection& sel = m_document->currentSelection();
    if (displayChannel)
        *displayChannel = bar->channel()->currentIndex() >= 1 ? 2 : 1;
    if (!sel.circuit) {
        SelectionTuple t;
        t.customerIndex = sel.customerIndex;
        t.circuitIndex = sel.circuitIndex;
        return t;
    }
    return selection::tupleFor(
        *sel.circuit, sel.customerIndex, sel.circuitIndex, kindOf(bar),
        CSelectorBar::selectedNumber(bar->year()), CSelectorBar::selectedNumber(bar->month()),
        CSelectorBar::selectedNumber(bar->day()), m_document->monthStartDay());
}

void CMainFrame::reselect() {
    int channel = 1;
    const SelectionTuple t = readSelectorTuple(&channel);
    if (isSelectionUsable(m_document->store(), t))
        m_document->select(t, channel);
}

void CMainFrame::afterSelect(const DisplaySelection& selection) {
    fillDateLists(true);
    presetScales(selection);
    updateCommandUi();
}

void CMainFrame::presetScales(const DisplaySelection& selection) {
    // The year graph scales its own axes.
    if (selection.isYearly())
        return;
    const int startDay = m_document->monthStartDay();
    ScaleMaxima maxima;
    const DaySummary* summary = &selection.day.data.summary;
    if (selection.isValid() && selection.isMonthly() && selection.circuit) {
        maxima = monthMaxima(*selection.circuit, selection.year, selection.month, startDay);
        summary = selection.monthSummary ? selection.monthSummary : &m_document->monthSummary();
    } else {
        maxima = dayMaxima(selection.day.data);
    }
    const bool kw = UseKilowatts(*summary);
    const bool kv = UseKilovolts(*summary);
    m_selectorBar->setScaleUnits(kw, kv);
    presetBox(m_selectorBar->power(), selection::powerScales(),
              kw ? maxima.power : maxima.power * 1000.0);
    presetBox(m_selectorBar->voltage(), selection::voltageScales(),
              kv ? maxima.voltage : maxima.voltage * 1000.0);
    presetBox(m_selectorBar->current(), selection::currentScales(), maxima.current);
}

std::array<double, 3> CMainFrame::scaleValues() const {
    return {static_cast<double>(CSelectorBar::selectedNumber(m_selectorBar->power())),
            static_cast<double>(CSelectorBar::selectedNumber(m_selectorBar->voltage())),
            static_cast<double>(CSelectorBar::selectedNumber(m_selectorBar->current()))};
}

void CMainFrame::onScaleChanged() {
    const std::array<double, 3> values = scaleValues();
    for (int box = 0; box < 3; ++box)
        if (values[static_cast<size_t>(box)] >= 0)
            m_document->updateAllViews(nullptr, hint::scale(box),
                                       &values[static_cast<size_t>(box)]);
    m_document->updateAllViews(nullptr, hint::Select, nullptr);
}

// ---- results of the dialogs ---------------------------------------------------------------

void CMainFrame::applySelectDataResult(SelectionTuple tuple) {
    const MeasurementStore& store = m_document->store();
    if (!isSelectionUsable(store, tuple))
        return;
    if (m_selectorBar->isYearly()) {
        // The year of the report month that holds the chosen day.
        const MeasurementCircuit& circuit =
            store.at(tuple.customerIndex).circuits.at(tuple.circuitIndex);
        const int startDay = m_document->monthStartDay();
        const DateTime& date = circuit.days.at(tuple.dayIndex).date;
        const std::string year =
            selection::entriesOf(date, selection::ReportKind::Yearly, startDay).year;
        const SelectionTuple yearly = selection::tupleFor(
            circuit, tuple.customerIndex, tuple.circuitIndex, selection::ReportKind::Yearly,
            year.empty() ? -1 : std::stoi(year), -1, -1, startDay);
        if (yearly.dayIndex >= 0) {
            tuple = yearly;
        } else {
            // A day no report month holds (start day 29-31): the calendar year, from that day.
            tuple.year = date.year();
            tuple.month = kWholeYear;
        }
    } else if (m_selectorBar->isMonthly()) {
        // The report month that holds the chosen day (with start day 1 its calendar month), so
        // the month shown always contains the day the user picked.
        tuple = selection::monthlyTupleOfDay(
            store.at(tuple.customerIndex).circuits.at(tuple.circuitIndex), tuple,
            m_document->monthStartDay());
    } else {
        tuple.year = -1;
        tuple.month = -1;
    }
    m_document->select(tuple, 1);
    if (m_viewMode == ViewBlank)
        m_viewMode = ViewSheet;
    showView(m_viewMode);
}

void CMainFrame::onSerialSettings() {
    CSetSerial dlg(m_document->serial(), m_document->portDevices(), m_document->portDeviceStore(),
                   m_prompt, this);
    if (dlg.exec() == QDialog::Accepted) {
        m_document->serial() = dlg.settings(); // kept in the data file
        m_document->markChanged();
        m_document->saveChanges(m_prompt);
    }
}

void CMainFrame::applyEditedStore(MeasurementStore store) {
    m_document->clearSelection();
    m_viewMode = ViewBlank;
    showView(ViewBlank);
    m_document->replaceStore(std::move(store));
    // What the user confirmed is on disk before anything else can go wrong.
    m_document->saveChanges(m_prompt);
    fillDateLists(false);
    updateCommandUi();
}

void CMainFrame::enableViewCommand(int viewIndex) {
    const int id = viewIndex == ViewSheet      ? res::ID_VIEW_SHEET
                   : viewIndex == ViewGraph    ? res::ID_VIEW_GRAPH
                   : viewIndex == ViewAnalysis ? res::ID_VIEW_ANALYSIS
                                               : 0;
    if (id != 0)
        setCommandHandler(id, [this, viewIndex] { showView(viewIndex); });
}

void CMainFrame::enablePrintCommands() {
    auto* printView = static_cast<COrvoViewView*>(m_splitter->view(0, ViewBlank));
    printView->attachFrame(this, m_settings);
    setCommandHandler(res::ID_FILE_PRINT, [printView] { printView->onFilePrint(); });
    setCommandHandler(res::ID_FILE_PRINT_PREVIEW, [printView] { printView->onFilePrintPreview(); });
    setCommandHandler(res::ID_FILE_PDF, [printView] { printView->onFilePdf(); });
    setCommandHandler(res::ID_FILE_PRINT_SETUP, [printView] { printView->onPrintSetup(); });
}

void CMainFrame::showView(int index) {
    m_splitter->selectView(0, index);
    m_viewMode = m_splitter->currentView(0);
}
