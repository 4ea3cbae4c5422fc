#pragma once
#include <QLayout>
#include <QList>

// Lays its items out left to right and starts a new row where the next one no longer fits, so a
// row of control groups never holds its window wider than the widest group. An item keeps its
// own preferred size; one wider than the whole row gets the row's width.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent = nullptr, int columnSpacing = 16, int rowSpacing = 4);
    ~FlowLayout() override;
    FlowLayout(const FlowLayout&) = delete;
    FlowLayout& operator=(const FlowLayout&) = delete;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    // Every item in one row.
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

    // The rows the visible items take at this width, margins included.
    int rowCountForWidth(int width) const;

private:
    struct Placement {
        int height = 0; // from the top margin to the bottom margin
        int rows = 0;
    };
    // Places the items in `rect` (or only measures, with `apply` false).
    Placement place(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> m_items;
    int m_columnSpacing;
    int m_rowSpacing;
};
