// Where the flow layout puts its items at a given width, and what it asks for.
#include "app/gui/FlowLayout.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A control group with a preferred size that may be narrowed to nothing.
class Group : public QWidget {
public:
    Group(QSize hint, QWidget* parent) : QWidget(parent), m_hint(hint) {}
    QSize sizeHint() const override { return m_hint; }
    QSize minimumSizeHint() const override { return {0, m_hint.height()}; }

private:
    QSize m_hint;
};

struct Row {
    QWidget host;
    FlowLayout* layout = new FlowLayout(&host, 10, 4);
    std::vector<Group*> groups;

    // Groups 100, 200 and 150 wide; the middle one is the tallest.
    Row() {
        for (QSize hint : {QSize(100, 20), QSize(200, 30), QSize(150, 20)}) {
            groups.push_back(new Group(hint, &host));
            layout->addWidget(groups.back());
        }
    }
};

TEST(FlowLayout, PutsGroupsInRowsAsTheWidthAllows) {
    struct Case {
        int width;
        std::vector<QRect> places;
        int height;
        int rows;
    };
    const Case cases[] = {
        // 100 + 10 + 200 + 10 + 150: all in one row, exactly.
        {470, {{0, 0, 100, 20}, {110, 0, 200, 30}, {320, 0, 150, 20}}, 30, 1},
        {469, {{0, 0, 100, 20}, {110, 0, 200, 30}, {0, 34, 150, 20}}, 54, 2},
        {310, {{0, 0, 100, 20}, {110, 0, 200, 30}, {0, 34, 150, 20}}, 54, 2},
        {309, {{0, 0, 100, 20}, {0, 24, 200, 30}, {0, 58, 150, 20}}, 78, 3},
        // Narrower than a group: the group gets the row's width.
        {150, {{0, 0, 100, 20}, {0, 24, 150, 30}, {0, 58, 150, 20}}, 78, 3},
    };
    Row row;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(row.layout->heightForWidth(c.width), c.height);
        EXPECT_EQ(row.layout->rowCountForWidth(c.width), c.rows);
        row.layout->setGeometry(QRect(0, 0, c.width, c.height));
        for (std::size_t i = 0; i < row.groups.size(); ++i)
            EXPECT_EQ(row.groups[i]->geometry(), c.places[i]) << "group " << i;
    }
}

TEST(FlowLayout, AsksForOneRowAndNeedsOnlyItsWidestGroup) {
    Row row;
    row.layout->setContentsMargins(6, 2, 6, 2);
    EXPECT_EQ(row.layout->sizeHint(), QSize(470 + 12, 30 + 4));
    EXPECT_EQ(row.layout->minimumSize(), QSize(12, 30 + 4)) << "groups narrow to nothing";
    EXPECT_EQ(row.layout->heightForWidth(309 + 12), 78 + 4);
}

TEST(FlowLayout, LeavesHiddenGroupsOut) {
    Row row;
    row.groups[1]->hide();
    EXPECT_EQ(row.layout->sizeHint(), QSize(260, 20));
    EXPECT_EQ(row.layout->rowCountForWidth(260), 1);
    row.layout->setGeometry(QRect(0, 0, 260, 20));
    EXPECT_EQ(row.groups[2]->geometry(), QRect(110, 0, 150, 20));
}

} // namespace
