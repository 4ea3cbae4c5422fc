#include "support/gui/PaneSplitter.h"

#include <QLabel>
#include <QSplitterHandle>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

PaneSplitter::ViewClass labelClass(const char* name) {
    return [name](QWidget* parent) {
        auto* label = new QLabel(QString::fromLatin1(name), parent);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
}

PaneSplitter::ProfileReader profileWith(std::map<std::string, std::string> entries) {
    return [entries](const std::string& section, const std::string& key, const std::string& def) {
        auto it = entries.find(section + "/" + key);
        return it == entries.end() ? def : it->second;
    };
}

int idOf(QWidget* w) {
    return w ? w->property("controlId").toInt() : -1;
}

struct Splitter : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(splitter.create("test", nullptr, labelClass("left"), labelClass("right")));
        splitter.resize(600, 300);
        splitter.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&splitter));
    }
    PaneSplitter splitter;
};

} // namespace

TEST_F(Splitter, ProfileEntryGivesIdealSizesAndHiddenColumn) {
    EXPECT_EQ(splitter.profileKey(), "test_Panes_0");
    splitter.loadPaneSizes(profileWith({{"SplitterWnd/test_Panes_0", "-1 300 -1 400"}}));
    EXPECT_EQ(splitter.idealSize(0), 300);
    EXPECT_EQ(splitter.idealSize(1), 400);
    EXPECT_EQ(splitter.hiddenColumn(), -1);
    EXPECT_EQ(splitter.paneSizes().value(0), 300);

    PaneSplitter other;
    ASSERT_TRUE(other.create("test", nullptr, labelClass("a"), labelClass("b")));
    other.loadPaneSizes(profileWith({{"SplitterWnd/test_Panes_0", "1 300 -1 400"}}));
    EXPECT_EQ(other.idealSize(0), 300);
    EXPECT_EQ(other.hiddenColumn(), 1);
}

TEST_F(Splitter, DefaultTextDecidesWithoutAnEntry) {
    EXPECT_EQ(splitter.paneSizesText(), "-1 150 -1 150");
    splitter.setDefaultPaneSizes(200, 500, -1, -1);
    EXPECT_EQ(splitter.paneSizesText(), "-1 200 -1 500");
    splitter.loadPaneSizes(profileWith({}));
    EXPECT_EQ(splitter.idealSize(0), 200);
    EXPECT_EQ(splitter.idealSize(1), 500);
    EXPECT_EQ(splitter.hiddenColumn(), -1);
    // A damaged entry keeps what it cannot read.
    splitter.loadPaneSizes(profileWith({{"SplitterWnd/test_Panes_0", "x"}}));
    EXPECT_EQ(splitter.idealSize(0), 200);
    EXPECT_EQ(splitter.hiddenColumn(), -1);
}

TEST_F(Splitter, ViewStackSwitchesAndWraps) {
    EXPECT_EQ(splitter.viewCount(0), 0) << "the first views belong to no stack";
    EXPECT_EQ(splitter.addView(0, labelClass("v0")), 0);
    EXPECT_EQ(splitter.addView(0, labelClass("v1")), 1);
    EXPECT_EQ(splitter.addView(0, labelClass("v2")), 2);
    EXPECT_EQ(splitter.windowAt(0, 0), splitter.view(0, 2));
    splitter.selectView(0, -1);
    EXPECT_EQ(splitter.currentView(0), 0);
    EXPECT_TRUE(splitter.view(0, 0)->isVisible());
    EXPECT_FALSE(splitter.view(0, 2)->isVisible());
    EXPECT_EQ(idOf(splitter.view(0, 0)), 0xE900);
    EXPECT_EQ(idOf(splitter.view(0, 2)), 0);
    EXPECT_EQ(splitter.addView(0, nullptr), -1);
}

TEST_F(Splitter, HiddenFirstColumnShowsItsViewsInTheOnlyPosition) {
    QWidget* right = splitter.windowAt(0, 1);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(idOf(right), 0xE901);
    splitter.addView(0, labelClass("v0"));
    splitter.addView(0, labelClass("v1"));
    QWidget* left = splitter.windowAt(0, 0);

    splitter.toggleHidden(0);
    EXPECT_EQ(splitter.hiddenColumn(), 0);
    EXPECT_EQ(idOf(right), 0xE900) << "the right pane moves one id to the left";
    EXPECT_EQ(idOf(left), 0xE902) << "the hidden pane sits beyond the grid";
    EXPECT_FALSE(left->isVisible());

    splitter.selectView(0, 0);
    EXPECT_EQ(splitter.windowAt(0, 0), splitter.view(0, 0));
    EXPECT_TRUE(splitter.view(0, 0)->isVisible());

    splitter.selectView(0, 1);
    splitter.toggleHidden(1); // not the hidden one: nothing
    EXPECT_EQ(splitter.hiddenColumn(), 0);
}

TEST_F(Splitter, ShowingTheHiddenColumnRestoresIdsAndOrder) {
    QWidget* left = splitter.windowAt(0, 0);
    QWidget* right = splitter.windowAt(0, 1);
    splitter.toggleHidden(0);
    splitter.toggleHidden(0);
    EXPECT_EQ(splitter.hiddenColumn(), -1);
    EXPECT_EQ(splitter.windowAt(0, 0), left);
    EXPECT_EQ(splitter.windowAt(0, 1), right);
    EXPECT_EQ(idOf(left), 0xE900);
    EXPECT_EQ(idOf(right), 0xE901);
    EXPECT_TRUE(left->isVisible());
}

TEST_F(Splitter, LockedBarDoesNotMove) {
    splitter.loadPaneSizes(profileWith({{"SplitterWnd/test_Panes_0", "-1 200 -1 300"}}));
    const QList<int> before = splitter.paneSizes();
    splitter.setTracking(false);
    QSplitterHandle* handle = splitter.handle(1);
    ASSERT_NE(handle, nullptr);
    const QPoint mid = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, mid);
    QMouseEvent move(QEvent::MouseMove, QPointF(mid + QPoint(120, 0)),
                     handle->mapToGlobal(QPointF(mid + QPoint(120, 0))), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, mid + QPoint(120, 0));
    EXPECT_EQ(splitter.paneSizes(), before);

    splitter.setTracking(true);
    QTest::mousePress(handle, Qt::LeftButton, {}, mid);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, mid + QPoint(120, 0));
    EXPECT_NE(splitter.paneSizes(), before) << "unlocked, the same drag moves the bar";
}

TEST_F(Splitter, KeepSecondPaneResizesOnlyTheFirst) {
    splitter.loadPaneSizes(profileWith({{"SplitterWnd/test_Panes_0", "-1 200 -1 300"}}));
    const int second = splitter.paneSizes().value(1);
    splitter.setKeepSecondPane(true);
    splitter.resize(800, 300);
    QTest::qWait(10);
    EXPECT_EQ(splitter.paneSizes().value(1), second);

    splitter.setKeepSecondPane(false);
    const int first = splitter.paneSizes().value(0);
    splitter.resize(700, 300);
    QTest::qWait(10);
    EXPECT_EQ(splitter.paneSizes().value(0), first) << "by default the last pane takes the rest";
}

TEST_F(Splitter, NestedSplitterReadsItsOwnEntry) {
    PaneSplitter* child = splitter.addChildSplitter(1);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->level(), 1);
    child->create("test", nullptr, labelClass("top"), labelClass("bottom"), false);
    splitter.loadPaneSizes(profileWith({{"SplitterWnd/test_Panes_0", "-1 250 -1 300"},
                                        {"SplitterWnd/test_Panes_1", "-1 80 1 90"}}));
    EXPECT_EQ(splitter.idealSize(0), 250);
    EXPECT_EQ(child->idealSize(0), 80);
    EXPECT_EQ(child->hiddenRow(), 1);
}
