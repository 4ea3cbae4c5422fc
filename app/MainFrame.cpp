#include "app/MainFrame.h"
#include "app/AboutDialog.h"
#include "app/AppSettings.h"
#include "app/AppTexts.h"
#include "app/DataCommands.h"
#include "app/OrvoViewView.h"
#include "app/SelectorBar.h"
#include "app/UpdateHints.h"
#include "app/ViewAnalysis.h"
#include "app/ViewGraph.h"
#include "app/ViewNull.h"
#include "app/ViewSheet.h"
#include "link/D_SetSerial.h"
#include "res/ResourceIds.h"
#include "store/Aggregation.h"
#include "store/DAT_DataFile.h"
#include "store/D_CustEdit.h"
#include "support/PaneSplitter.h"
#include "support/QtCp932.h"
#include "textout/ValueFormat.h"
#include "transfer/D_ReadData.h"
#include "transfer/SelectionRules.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
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

// Commands that need a valid selection.
bool needsSelection(int id) {
    return id == res::ID_VIEW_SHEET || id == res::ID_VIEW_GRAPH || id == res::ID_VIEW_ANALYSIS ||
           id == res::ID_FILE_PRINT || id == res::ID_FILE_PRINT_PREVIEW || id == res::ID_FILE_PDF ||
           id == res::ID_TXT_OUT || id == res::ID_PREV_DATA || id == res::ID_NEXT_DATA;
}

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

selection::ReportKind kindOf(const CSelectorBar* bar) {
    return bar->isMonthly() ? selection::ReportKind::Monthly : selection::ReportKind::Daily;
}

// The plain command text for tool tips and the status line: no access key, no shortcut.
QString plainText(QString text) {
    const int tab = text.indexOf('\t');
    if (tab >= 0)
        text.truncate(tab);
    const int key = text.indexOf(QStringLiteral("(&"));
    if (key >= 0)
        text.remove(key, 4);
    text.remove(QStringLiteral("..."));
    return text.remove('&');
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
    if (m_document)
        m_document->setSelectionSink(nullptr);
}

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setProperty("controlId", id);
    // The tool buttons read out the plain command, not its mnemonic and shortcut.
    action->setIconText(plainText(text));
    action->setStatusTip(plainText(text));
    action->setToolTip(plainText(text));
    menu->addAction(action);
    m_actions.insert(id, action);
    connect(action, &QAction::triggered, this, [this, id] {
        if (auto it = m_handlers.find(id); it != m_handlers.end() && it.value())
            it.value()();
    });
    return action;
}

void CMainFrame::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName("fileMenu");
    addCommand(file, res::ID_CUST_IMPORT, QStringLiteral("需要家データの取り込み(&L)..."));
    addCommand(file, res::ID_CUST_EXPORT, QStringLiteral("需要家データの切出し(&S)..."));
    file->addSeparator();
    addCommand(file, res::ID_TXT_OUT, QStringLiteral("表示データをテキスト出力(CSV形式)(&C)"));
    file->addSeparator();
    QAction* print = addCommand(file, res::ID_FILE_PRINT, QStringLiteral("印刷...\tCtrl+P(&P)"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(file, res::ID_FILE_PRINT_PREVIEW, QStringLiteral("印刷プレビュー(&V)..."));
    addCommand(file, res::ID_FILE_PDF, QStringLiteral("PDFに出力(&F)..."));
    addCommand(file, res::ID_FILE_PRINT_SETUP, QStringLiteral("プリンタの設定(&R)..."));
    file->addSeparator();
    addCommand(file, res::ID_APP_EXIT, QStringLiteral("アプリケーションの終了(&X)"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName("editMenu");
    addCommand(edit, res::ID_READ_DATA, QStringLiteral("機器からデータ転送(&M)..."));
    addCommand(edit, res::ID_CUST_EDIT, QStringLiteral("需要家情報の編集(&I)..."));
    edit->addSeparator();
    addCommand(edit, res::ID_MON_START_DAY, QStringLiteral("月報集計開始日の変更(&D)..."));
    addCommand(edit, res::ID_SERIAL_SETTINGS, QStringLiteral("通信設定(&C)..."));

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName("viewMenu");
    addCommand(view, res::ID_SELECT_DATA, QStringLiteral("表示データの選択(&S)..."));
    // Ctrl with the page keys: the plain page keys scroll the views.
    addCommand(view, res::ID_PREV_DATA, QStringLiteral("前の測定データ(&P)\tCtrl+PgUp"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    addCommand(view, res::ID_NEXT_DATA, QStringLiteral("次の測定データ(&N)\tCtrl+PgDown"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    view->addSeparator();
    addCommand(view, res::ID_VIEW_SHEET, QStringLiteral("表(&H)"));
    addCommand(view, res::ID_VIEW_GRAPH, QStringLiteral("グラフ(&G)"));
    addCommand(view, res::ID_VIEW_ANALYSIS, QStringLiteral("分析(&A)"));
    view->addSeparator();
    QAction* toolBarAction =
        addCommand(view, res::ID_VIEW_TOOLBAR, QStringLiteral("ツール バー(&T)"));
    QAction* statusAction =
        addCommand(view, res::ID_VIEW_STATUS_BAR, QStringLiteral("ステータス バー(&S)"));
    toolBarAction->setCheckable(true);
    toolBarAction->setChecked(true);
    statusAction->setCheckable(true);
    statusAction->setChecked(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName("helpMenu");
    addCommand(help, res::ID_APP_ABOUT, QStringLiteral("バージョン情報(&A)..."));

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

    for (QMenu* menu : {file, edit, view, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandUi);
}

void CMainFrame::buildToolBar() {
    m_toolBar = addToolBar(QStringLiteral("ツール バー"));
    m_toolBar->setObjectName("toolBar");
    m_toolBar->setProperty("controlId", res::IDR_MAINFRAME);
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    struct Button {
        int id;
        QStyle::StandardPixmap icon;
    };
    const Button buttons[] = {
        {res::ID_READ_DATA, QStyle::SP_DriveNetIcon},
        {res::ID_SELECT_DATA, QStyle::SP_FileDialogContentsView},
        {res::ID_PREV_DATA, QStyle::SP_ArrowBack},
        {res::ID_NEXT_DATA, QStyle::SP_ArrowForward},
        {0, QStyle::SP_CustomBase},
        {res::ID_VIEW_SHEET, QStyle::SP_FileDialogDetailedView},
        {res::ID_VIEW_GRAPH, QStyle::SP_FileDialogInfoView},
        {res::ID_VIEW_ANALYSIS, QStyle::SP_FileDialogListView},
        {0, QStyle::SP_CustomBase},
        {res::ID_FILE_PRINT, QStyle::SP_DialogSaveButton},
        {res::ID_APP_ABOUT, QStyle::SP_MessageBoxQuestion},
    };
    for (const Button& b : buttons) {
        if (b.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.value(b.id);
        action->setIcon(style()->standardIcon(b.icon));
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

void CMainFrame::updateCommandUi() {
    const bool valid = m_document->isSelectionValid();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        const bool handled = m_handlers.contains(it.key()) && m_handlers.value(it.key());
        it.value()->setEnabled(handled && (!needsSelection(it.key()) || valid));
    }
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
    m_document->loadOnce(m_prompt);
    if (!m_fixedListsFilled) {
        m_fixedListsFilled = true;
        m_selectorBar->fillFixedLists();
    }
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
    recordPlacement();
    m_document->saveToDataFile(m_prompt);
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
    CAboutDlg dialog(QFileInfo(qtFromCp932(m_document->dataFolder())).path(), this);
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
    if (m_settings)
        dialog.setImportFolder(qtFromCp932(m_settings->importDir));
    const int result = dialog.exec();
    if (m_settings && cp932FromQt(dialog.importFolder()) != m_settings->importDir) {
        m_settings->importDir = cp932FromQt(dialog.importFolder());
        m_settings->profile().putString("Filepath", "ImportDir", m_settings->importDir);
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
    const bool monthly = m_selectorBar->isMonthly();
    m_selectorBar->day()->setVisible(!monthly);
    m_selectorBar->dayLabel()->setVisible(!monthly);
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
             selection::monthEntries(*sel.circuit, kindOf(bar), startDay,
                                     cp932FromQt(bar->year()->currentText())),
             current);
}

void CMainFrame::fillDays(bool selectCurrent) {
    CSelectorBar* bar = m_selectorBar;
    const DisplaySelection& sel = m_document->currentSelection();
    bar->day()->clear();
    if (!sel.circuit || bar->isMonthly() || bar->month()->currentIndex() < 0)
        return;
    const std::string current =
        selectCurrent ? selection::entriesOf(sel.day.date, selection::ReportKind::Daily, 1).day
                      : std::string();
    fillList(bar->day(),
             selection::dayEntries(*sel.circuit, cp932FromQt(bar->year()->currentText()),
                                   cp932FromQt(bar->month()->currentText())),
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
    if (m_selectorBar->isMonthly()) {
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
    CSetSerial dlg(m_document->serial(), m_document->portDevices(), this);
    if (dlg.exec() == QDialog::Accepted)
        m_document->serial() = dlg.settings(); // saved with the data file at exit
}

void CMainFrame::applyEditedStore(MeasurementStore store) {
    m_document->clearSelection();
    m_viewMode = ViewBlank;
    showView(ViewBlank);
    m_document->replaceStore(std::move(store));
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
