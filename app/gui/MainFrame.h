#pragma once
#include "app/Commands.h"
#include "app/gui/MessageBoxPrompt.h"
#include "app/gui/OrvoViewDoc.h"
#include <QMainWindow>
#include <QMap>
#include <array>
#include <functional>

class AppSettings;
class DataCommands;
class CSelectorBar;
class PaneSplitter;
class QAction;
class QComboBox;
class QLabel;
class QToolBar;

// The main window: menu, tool bar, selector bar, status bar and the client pane that shows
// one of the blank, table, graph and analysis views.
class CMainFrame : public QMainWindow, public SelectionSink {
    Q_OBJECT
public:
    enum ViewIndex { ViewBlank = 0, ViewSheet = 1, ViewGraph = 2, ViewAnalysis = 3 };

    CMainFrame(COrvoViewDoc* document, AppSettings* settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The program's main frame (the newest one), for the dialogs that need their owner.
    static CMainFrame* current();

    COrvoViewDoc* document() const { return m_document; }
    CSelectorBar* selectorBar() const { return m_selectorBar; }
    PaneSplitter* splitter() const { return m_splitter; }
    QToolBar* toolBar() const { return m_toolBar; }
    QAction* action(int commandId) const { return m_actions.value(commandId); }
    Prompt& prompt() { return m_prompt; }
    DataCommands* dataCommands() const { return m_dataCommands; }

    // A command whose dialog or view is ready gets its handler; until then it stays disabled.
    void setCommandHandler(int commandId, std::function<void()> handler);
    // Enables and disables the commands by their rules (valid selection, handler present).
    void updateCommandUi();

    // Date lists of the selected circuit; selectCurrent selects the current selection's entries.
    void fillDateLists(bool selectCurrent);
    // The selection the bar shows and the channel to pass along; tuple fields stay -1 when
    // nothing qualifies.
    SelectionTuple readSelectorTuple(int* displayChannel) const;
    void reselect();
    void presetScales(const DisplaySelection& selection);
    // Power, voltage, current full scales; -1 when a box has no selection.
    std::array<double, 3> scaleValues() const override;
    void afterSelect(const DisplaySelection& selection) override;

    // The display-data selection dialog ended with OK on this tuple.
    void applySelectDataResult(SelectionTuple tuple);
    // A transfer or customer edit ended with OK: its copy becomes the store.
    void applyEditedStore(MeasurementStore store);

    // The 表, グラフ or 分析 command once its view draws: it then shows that view.
    void enableViewCommand(int viewIndex);
    // 印刷, 印刷プレビュー, PDFに出力 and プリンタの設定, handled by the blank view.
    void enablePrintCommands();
    // Shows the view of that index (-1: the next one).
    void showView(int index);
    int viewMode() const { return m_viewMode; }

    // The one-time work of the first show: load the data file, fill the fixed lists.
    void initialUpdate();
    bool initialUpdateDone() const { return m_initialUpdateDone; }

signals:
    // Emitted once the frame has painted for the first time.
    void firstPainted();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, const CommandSpec& spec);
    bool canAct(CommandNeeds needs) const;
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildClientPane();
    void applyPlacement();
    void recordPlacement();
    void onKindChanged();
    void onYearChanged();
    void onMonthChanged();
    void onScaleChanged();
    void onAbout();
    void onReadData();
    void onCustEdit();
    void onSerialSettings();
    void fillMonths(bool selectCurrent);
    void fillDays(bool selectCurrent);
    void updateTitle();

    COrvoViewDoc* m_document;
    AppSettings* m_settings;
    MessageBoxPrompt m_prompt;
    DataCommands* m_dataCommands = nullptr;
    CSelectorBar* m_selectorBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_selectorToolBar = nullptr;
    PaneSplitter* m_splitter = nullptr;
    QMap<int, QAction*> m_actions;
    QMap<int, std::function<void()>> m_handlers;
    int m_viewMode = ViewBlank;
    bool m_initialUpdateDone = false;
    bool m_fixedListsFilled = false;
    bool m_closed = false;
    bool m_painted = false;
};
