#pragma once
#include <QSplitter>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QMouseEvent;

// Two-pane splitter with a stack of views per pane, one hideable column (or row), pane sizes
// from the program's profile, a lockable bar and nested splitters.
//
// The grid is emulated on a QSplitter: each grid position is a slot widget; the views of a
// pane's stack live in slots and only the shown one is visible. Pane windows carry their pane
// id (first pane id + row * 16 + column) in the "controlId" property; hidden stack views carry 0.
class PaneSplitter : public QSplitter {
    Q_OBJECT
public:
    // Makes a view for a pane (the "view class"). Returns nullptr when it cannot.
    using ViewClass = std::function<QWidget*(QWidget* parent)>;
    // Reads a profile text: (section, key, default) → value.
    using ProfileReader =
        std::function<std::string(const std::string&, const std::string&, const std::string&)>;

    static constexpr int kPaneFirst = 0xE900;
    static constexpr const char* kProfileSection = "SplitterWnd";

    explicit PaneSplitter(int level = 0, QWidget* parent = nullptr);
    ~PaneSplitter() override;

    // Creates the grid (1 × paneCount side by side, paneCount × 1 stacked) and the first views.
    // paneCount is 2 for the usual splitter, 1 for a single pane that only switches views.
    bool create(const std::string& name, QWidget* parent, const ViewClass& firstViewClass,
                const ViewClass& secondViewClass, bool sideBySide = true, int id = kPaneFirst,
                int paneCount = 2);

    void setDefaultPaneSizes(int firstSize, int secondSize, int hiddenColumn, int hiddenRow);
    // "SplitterWnd" / "<name>_Panes_<level>" → hidden column, first size, hidden row, second size.
    void loadPaneSizes(const ProfileReader& read);
    void setTracking(bool enabled);
    void setKeepSecondPane(bool keep) { m_keepSecondPane = keep; }

    // Appends a view to the pane's stack and shows it; its index, or -1 when it was not made.
    int addView(int pane, const ViewClass& viewClass);
    // Shows the view of the pane's stack; -1 = the next one, wrapping to the first.
    void selectView(int pane, int index);
    // Hides column (row) index when none is hidden; shows it again when it is the hidden one.
    void toggleHidden(int index);

    // Puts a nested splitter into a pane (made by createChildSplitter).
    PaneSplitter* addChildSplitter(int pane);

    const std::string& name() const { return m_name; }
    int level() const { return m_level; }
    bool sideBySide() const { return m_sideBySide; }
    int hiddenColumn() const { return m_hiddenColumn; }
    int hiddenRow() const { return m_hiddenRow; }
    int idealSize(int pane) const { return m_idealSize[pane & 1]; }
    int minSize(int pane) const { return m_minSize[pane & 1]; }
    bool trackingEnabled() const { return m_trackingEnabled; }
    bool keepSecondPane() const { return m_keepSecondPane; }
    const std::string& paneSizesText() const { return m_paneSizesText; }
    std::string profileKey() const;
    PaneSplitter* firstChild() const { return m_children[0]; }
    PaneSplitter* secondChild() const { return m_children[1]; }

    int viewCount(int pane) const;
    QWidget* view(int pane, int index) const;
    int currentView(int pane) const { return m_currentView[pane & 1]; }
    // The window shown at a grid position, or nullptr.
    QWidget* windowAt(int row, int column) const;
    int paneCount() const { return m_paneCount; }
    // Sizes of the grid positions along the split direction (0 for hidden ones).
    QList<int> paneSizes() const { return sizes(); }

    // Lays the panes out from the ideal sizes.
    void recalcLayout();

protected:
    // Hooks after the mouse handling; nothing here.
    virtual void afterLButtonUp(QMouseEvent*) {}
    virtual void afterLButtonDown(QMouseEvent*) {}
    virtual void afterLButtonDblClk(QMouseEvent*) {}
    virtual void afterRButtonDblClk(QMouseEvent*) {}
    virtual void afterRButtonDown(QMouseEvent*) {}
    virtual void afterRButtonUp(QMouseEvent*) {}
    virtual PaneSplitter* createChildSplitter();

    QSplitterHandle* createHandle() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class Slot;
    // Non-zero while a hide, show, add or select runs; the resize rule waits meanwhile.
    static int s_layoutCounter;
    struct LayoutGuard {
        LayoutGuard() { ++s_layoutCounter; }
        ~LayoutGuard() { --s_layoutCounter; }
    };

    QWidget* placeView(int pane, const ViewClass& viewClass, bool pushToStack);
    int positionOf(int pane) const; // slot index of the pane's grid position
    int paneId(int slot) const;
    void hideSlot(int slot);
    void showHiddenSlot();
    void saveSizesTree();
    void relabel();
    void redrawNow();
    void dispatchHook(QMouseEvent* event);

    std::string m_name;
    int m_level;
    std::string m_paneSizesText = "-1 150 -1 150";
    bool m_sideBySide = true;
    int m_hiddenColumn = -1;
    int m_hiddenRow = -1;
    int m_idealSize[2] = {100, 100};
    int m_minSize[2] = {10, 10};
    bool m_trackingEnabled = true;
    bool m_keepSecondPane = false;
    PaneSplitter* m_children[2] = {nullptr, nullptr};
    std::vector<QWidget*> m_viewStack[2];
    int m_currentView[2] = {-1, -1};
    std::vector<Slot*> m_slots;
    int m_paneCount = 2;
    int m_id = kPaneFirst;
};
